#include "news/franjasensegundoplano.h"

#include <QMetaObject>
#include <mutex>
#include <thread>
#include <utility>

#include "general/red/descarga.h"

// Where a worker leaves its result. The object that asked may be gone by
// then: it clears the receiver under the lock, and a worker posts only
// while holding it, so no result reaches a destroyed object.
struct FranjasEnSegundoPlano::Buzon {
  std::mutex cerrojo;
  FranjasEnSegundoPlano* receptor = nullptr;
};

FranjasEnSegundoPlano::FranjasEnSegundoPlano(DescargadorPNG descargador, QObject* parent)
    : QObject(parent),
      descargador_(descargador ? std::move(descargador) : DescargadorPNG(&DescargarPNG)),
      buzon_(std::make_shared<Buzon>()) {
  buzon_->receptor = this;
}

FranjasEnSegundoPlano::~FranjasEnSegundoPlano() {
  std::lock_guard<std::mutex> bloqueo(buzon_->cerrojo);
  buzon_->receptor = nullptr;
}

DescargadorPNG FranjasEnSegundoPlano::Descargador() {
  return [this](const QString& url) { return Pedir(url); };
}

QImage FranjasEnSegundoPlano::Pedir(const QString& url) {
  const auto llegada = llegadas_.constFind(url);
  if (llegada != llegadas_.constEnd()) return *llegada;
  if (enCurso_.contains(url)) return QImage();
  enCurso_.insert(url);
  // Detached: a download that hangs must not hold up the end of the program.
  std::thread([buzon = buzon_, descargador = descargador_, url] {
    const QImage imagen = descargador(url);
    std::lock_guard<std::mutex> bloqueo(buzon->cerrojo);
    if (buzon->receptor == nullptr) return;
    QMetaObject::invokeMethod(
        buzon->receptor, [receptor = buzon->receptor, url, imagen] { receptor->Recibir(url, imagen); },
        Qt::QueuedConnection);
  }).detach();
  return QImage();
}

void FranjasEnSegundoPlano::Recibir(const QString& url, const QImage& imagen) {
  enCurso_.remove(url);
  if (!imagen.isNull()) llegadas_.insert(url, imagen);
  emit Terminada(url, imagen);
}
