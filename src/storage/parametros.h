#pragma once
// The program-wide parameter database `alcabala.mdb` beside the program: a
// SQLite file installed with the program, never created or written by it,
// kept open from start-up until the program ends.

#include <QObject>
#include <QString>
#include <memory>

class Conexion;

// File name of the parameter database in the program's folder.
inline constexpr char NombreBaseParametros[] = "alcabala.mdb";

// Path of the parameter database in the given program folder.
QString RutaBaseParametros(const QString& carpetaPrograma);

class BaseParametros : public QObject {
  Q_OBJECT

 public:
  explicit BaseParametros(QObject* parent = nullptr);
  ~BaseParametros() override;

  // Opens `alcabala.mdb` of the program folder for reading. A missing file is
  // an error (it is never created); so is a file that is no database.
  void Abrir(const QString& carpetaPrograma);
  void Cerrar();
  bool Abierta() const;

  // The IVA rate in per cent: field `IVA` of the one row of `parametros`,
  // exactly as stored (19.5 stays 19.5). Raises an error when the database is
  // not open, the table is missing or has no row, or the rate is empty or
  // not positive (every rule that uses it divides by it).
  double IVA() const;

 private:
  std::unique_ptr<Conexion> conexion_;
};
