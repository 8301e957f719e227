#pragma once
// An HTTP server inside the test process, on 127.0.0.1 and a free port,
// serving exactly the bodies and status codes a test sets. Any other path
// answers 404.
//
//   prueba::ServidorPrueba s;
//   s.Servir("/Alcabala.xml", 200, cuerpo, "text/xml");
//   qputenv("ALCABALA_URL_BASE", s.UrlBase().toUtf8());

#include <QByteArray>
#include <QString>
#include <memory>

namespace prueba {

// One request as the server received it.
struct PeticionRecibida {
  QString ruta;
  QString agente;        // User-Agent
  QString cacheControl;  // Cache-Control
  QString pragma;        // Pragma
};

class ServidorPrueba {
 public:
  // Starts listening at once; the destructor stops the server.
  ServidorPrueba();
  ~ServidorPrueba();
  ServidorPrueba(const ServidorPrueba&) = delete;
  ServidorPrueba& operator=(const ServidorPrueba&) = delete;

  // Serves body with that status and content type at ruta ("/UTM/2024.xml"),
  // replacing what was served there before.
  void Servir(const QString& ruta, int estado, const QByteArray& cuerpo,
              const QString& tipo = QStringLiteral("text/xml"));
  // Answers ruta with a redirect (status estado) to destino, a full address
  // or a path.
  void Redirigir(const QString& ruta, const QString& destino, int estado = 302);
  // Answers 404 at ruta again.
  void Quitar(const QString& ruta);

  // "http://127.0.0.1:<port>/".
  QString UrlBase() const;
  int Puerto() const;

  // Requests received so far for ruta.
  int Peticiones(const QString& ruta) const;
  // The last request received (any path); empty ruta when none.
  PeticionRecibida UltimaPeticion() const;

  // A port on 127.0.0.1 where nobody listens (taken and released at once).
  static int PuertoCerrado();

 private:
  struct Estado;
  std::unique_ptr<Estado> estado_;
};

// Points ALCABALA_URL_BASE at an address for the life of the object and puts
// back what was there before.
class UrlBaseDePrueba {
 public:
  explicit UrlBaseDePrueba(const QString& urlBase);
  ~UrlBaseDePrueba();
  UrlBaseDePrueba(const UrlBaseDePrueba&) = delete;
  UrlBaseDePrueba& operator=(const UrlBaseDePrueba&) = delete;

 private:
  bool habia_;
  QByteArray anterior_;
};

}  // namespace prueba
