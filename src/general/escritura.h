#pragma once
// Writing a whole file, for every file the programs write (PDF output, new
// data files, the settings). The new content goes into an unnamed temporary
// file in the target's folder (O_TMPFILE) or, where the file system has none,
// into a hidden temporary file of our own naming there; every write is
// checked, the file synced to disk, and only then does it take its name. On
// any failure the file that was there stays as it was and no temporary file
// is left behind. Named temporary files that a killed program left are
// removed when their folder is next written, once a few minutes old.

#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;

enum class ModoEscritura {
  // Replaces a regular file at the name. A symbolic link is followed to the
  // file it names, which is replaced beside it (the link stays a link);
  // anything but a regular file, and a data file (.alc, .oalc), is refused.
  Reemplazar,
  // Never replaces anything: "El archivo "X" ya existe." when the name is
  // taken (by a link as well).
  SoloNuevo,
};

// Age after which a named temporary file of ours counts as abandoned.
inline constexpr int MinutosTemporalAbandonado = 5;

// Runs escribir on a device open for writing, then puts the content at ruta.
// Raises ErrorAlcabala "No se pudo escribir «X»: …" on any failure (an error
// escribir raises itself goes through unchanged).
void EscribirArchivoEntero(const QString& ruta, ModoEscritura modo, const std::function<void(QIODevice&)>& escribir);

// The same with the content at hand.
void EscribirArchivoEntero(const QString& ruta, ModoEscritura modo, const QByteArray& contenido);

// Raises ErrorAlcabala "No se pudo escribir «ruta»: motivo".
[[noreturn]] void FallaEscritura(const QString& ruta, const QString& motivo);

// Whether a file name is one of the temporary files the writing uses.
bool EsTemporalDeEscritura(const QString& nombre);
