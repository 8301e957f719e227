#pragma once
// The life of a data file (.alc, also .oalc) in the core, free of dialogs:
// the folder the file dialogs start in, creating a new file, checking and
// upgrading the schema of an existing one, opening it for use or for reading.

#include <QString>

class Conexion;

// Name of the folder of data files under the user's documents folder.
inline constexpr char NombreCarpetaAlcabalas[] = "Alcabalas";

// The folder the file dialogs start in: the program's folder when it already
// holds a *.alc or *.oalc file, else CarpetaMisDocumentos() + "/Alcabalas".
// Tries to create the chosen folder (last level only, errors ignored).
// Raises "Could not find MyDocuments folder location." when the documents
// folder is unknown.
QString CarpetaPredeterminada(const QString& carpetaPrograma);

// Creates a new data file at ruta: tables `alcabalas` (with its index `mes`)
// and `contribuyente`, and the taxpayer's first row, in one transaction.
// Fails when the path exists (that file is left untouched) or cannot be
// created; a creation that fails part-way removes what it made.
void CrearArchivoAlcabala(const QString& ruta);

// Whether `alcabalas` has a column of exactly that name (case-sensitive).
// Raises "no such table: alcabalas" when the file has no such table.
bool ExisteColumna(Conexion& conexion, const QString& nombre);

// Adds to `alcabalas` each column an older file lacks, in their fixed order
// (ALTER TABLE … ADD COLUMN … DEFAULT 0, nullable), in one transaction; an
// up-to-date file is not touched. Returns the number of columns added.
int ActualizarArchivo(Conexion& conexion);

// Adds the taxpayer's electronic-invoicing flag (set) to a file that lacks
// it; an up-to-date file is not touched. Returns whether it was added.
bool ActualizarContribuyente(Conexion& conexion);

// Opens the data file at ruta for use on the connection (closing the file it
// had open): checks both tables exist and upgrades the schema. On failure the
// connection is left closed and the file unchanged. Both tables are upgraded.
void AbrirArchivoAlcabala(Conexion& conexion, const QString& ruta);

// Opens the data file at ruta for reading only, without any upgrade (the
// report scan and the command-line export), and checks both tables exist.
void AbrirArchivoSoloLectura(Conexion& conexion, const QString& ruta);

// Initial values of a new file's taxpayer row.
inline constexpr char CiudadPredeterminada[] = "Temuco";
inline constexpr int RegionPredeterminada = 9;
inline constexpr int CodigoAreaPredeterminado = 45;
