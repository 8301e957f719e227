#pragma once
// File names are bytes. A name that is not valid UTF-8 (a Latin-1 "Caf\xe9.alc"
// copied from an old Windows archive) still names a file that exists, and the
// program must open exactly that file. Such a name travels in a QString with
// each byte that is no part of a valid UTF-8 sequence kept as one code unit
// U+DC80–U+DCFF (a lone surrogate, which no valid name decodes to), so the
// bytes come back unchanged when the file is opened. Qt's own file classes
// would turn those bytes into U+FFFD: paths go to the system through
// BytesDeRuta.

#include <QByteArray>
#include <QString>

// The name as the system gives it (command line, folder listing) into text.
QString RutaDeBytes(const QByteArray& bytes);

// The exact bytes of a name made by RutaDeBytes (or typed as text).
QByteArray BytesDeRuta(const QString& ruta);

// Whether the name holds bytes that are no valid UTF-8, which Qt's file
// classes cannot name.
bool RutaConBytesSueltos(const QString& ruta);

// The folder part of a name in bytes: "." for a bare name, "/" at the root.
QByteArray CarpetaDeBytes(const QByteArray& ruta);

// The name for messages and lists: each byte that is no valid UTF-8 shown as
// U+FFFD.
QString RutaVisible(const QString& ruta);
