-- Program-wide parameters: the IVA rate in per cent.
CREATE TABLE parametros (IVA REAL NOT NULL DEFAULT 0);
INSERT INTO parametros (IVA) VALUES (19);
