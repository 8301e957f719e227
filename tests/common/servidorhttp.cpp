#include "common/servidorhttp.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace prueba {

namespace {

struct Respuesta {
  int estado = 200;
  std::string cuerpo;
  std::string tipo;
  std::string ubicacion;  // Location of a redirect
};

// Requests to 127.0.0.1 must never go through a proxy of the environment.
void EvitarProxyLocal() {
  for (const char* nombre : {"no_proxy", "NO_PROXY"}) {
    QByteArray valor = qgetenv(nombre);
    if (valor.contains("127.0.0.1")) continue;
    valor = valor.isEmpty() ? QByteArray("127.0.0.1,localhost") : valor + ",127.0.0.1,localhost";
    qputenv(nombre, valor);
  }
}

}  // namespace

struct ServidorPrueba::Estado {
  httplib::Server servidor;
  std::thread hilo;
  int puerto = 0;
  mutable std::mutex mutex;
  std::map<std::string, Respuesta> respuestas;
  std::map<std::string, int> cuentas;
  PeticionRecibida ultima;
};

ServidorPrueba::ServidorPrueba() : estado_(std::make_unique<Estado>()) {
  EvitarProxyLocal();
  Estado* e = estado_.get();
  e->servidor.Get(".*", [e](const httplib::Request& pet, httplib::Response& res) {
    std::lock_guard<std::mutex> candado(e->mutex);
    ++e->cuentas[pet.path];
    e->ultima = PeticionRecibida{QString::fromStdString(pet.path),
                                 QString::fromStdString(pet.get_header_value("User-Agent")),
                                 QString::fromStdString(pet.get_header_value("Cache-Control")),
                                 QString::fromStdString(pet.get_header_value("Pragma"))};
    auto it = e->respuestas.find(pet.path);
    if (it == e->respuestas.end()) {
      res.status = 404;
      res.set_content("No encontrado", "text/plain");
      return;
    }
    res.status = it->second.estado;
    if (!it->second.ubicacion.empty()) res.set_header("Location", it->second.ubicacion);
    res.set_content(it->second.cuerpo, it->second.tipo.c_str());
  });
  e->puerto = e->servidor.bind_to_any_port("127.0.0.1");
  if (e->puerto <= 0) throw std::runtime_error("No se pudo abrir el servidor de prueba");
  // The socket already listens: requests wait in its queue until the loop runs.
  e->hilo = std::thread([e] { e->servidor.listen_after_bind(); });
}

ServidorPrueba::~ServidorPrueba() {
  estado_->servidor.stop();
  if (estado_->hilo.joinable()) estado_->hilo.join();
}

void ServidorPrueba::Servir(const QString& ruta, int estado, const QByteArray& cuerpo, const QString& tipo) {
  std::lock_guard<std::mutex> candado(estado_->mutex);
  estado_->respuestas[ruta.toStdString()] = Respuesta{estado, cuerpo.toStdString(), tipo.toStdString(), std::string()};
}

void ServidorPrueba::Redirigir(const QString& ruta, const QString& destino, int estado) {
  std::lock_guard<std::mutex> candado(estado_->mutex);
  estado_->respuestas[ruta.toStdString()] = Respuesta{estado, std::string(), "text/plain", destino.toStdString()};
}

void ServidorPrueba::Quitar(const QString& ruta) {
  std::lock_guard<std::mutex> candado(estado_->mutex);
  estado_->respuestas.erase(ruta.toStdString());
}

QString ServidorPrueba::UrlBase() const {
  return QStringLiteral("http://127.0.0.1:%1/").arg(estado_->puerto);
}

int ServidorPrueba::Puerto() const { return estado_->puerto; }

int ServidorPrueba::Peticiones(const QString& ruta) const {
  std::lock_guard<std::mutex> candado(estado_->mutex);
  auto it = estado_->cuentas.find(ruta.toStdString());
  return it == estado_->cuentas.end() ? 0 : it->second;
}

PeticionRecibida ServidorPrueba::UltimaPeticion() const {
  std::lock_guard<std::mutex> candado(estado_->mutex);
  return estado_->ultima;
}

int ServidorPrueba::PuertoCerrado() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) throw std::runtime_error("No se pudo crear un socket");
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  direccion.sin_port = 0;
  socklen_t largo = sizeof(direccion);
  int puerto = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&direccion), sizeof(direccion)) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&direccion), &largo) == 0) {
    puerto = ntohs(direccion.sin_port);
  }
  ::close(s);
  if (puerto == 0) throw std::runtime_error("No se encontró un puerto libre");
  return puerto;
}

UrlBaseDePrueba::UrlBaseDePrueba(const QString& urlBase)
    : habia_(qEnvironmentVariableIsSet("ALCABALA_URL_BASE")), anterior_(qgetenv("ALCABALA_URL_BASE")) {
  qputenv("ALCABALA_URL_BASE", urlBase.toUtf8());
}

UrlBaseDePrueba::~UrlBaseDePrueba() {
  if (habia_) {
    qputenv("ALCABALA_URL_BASE", anterior_);
  } else {
    qunsetenv("ALCABALA_URL_BASE");
  }
}

}  // namespace prueba
