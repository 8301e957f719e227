#pragma once
// Banner pictures fetched without holding up the window: the rotation asks
// for a picture through Descargador(), which answers at once with what has
// arrived so far and starts the download on a worker thread when none is
// under way. A dead picture host then costs the window nothing; the picture
// shows as soon as it arrives, or on the banner's next turn.

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <memory>

#include "news/rotacion.h"

class FranjasEnSegundoPlano : public QObject {
  Q_OBJECT

 public:
  // descargador runs on the worker threads (DescargarPNG when empty).
  explicit FranjasEnSegundoPlano(DescargadorPNG descargador = {}, QObject* parent = nullptr);
  // Downloads still running finish on their own; their results are dropped.
  ~FranjasEnSegundoPlano() override;

  // The downloader for RotacionFranjas: the picture of url when it has
  // arrived, else a null QImage, having started its download unless one is
  // running. A failed download is started again on the next request.
  DescargadorPNG Descargador();

  // Downloads running now.
  int EnCurso() const { return enCurso_.size(); }

 signals:
  // A download of url ended, on this object's thread; imagen is null when
  // it failed or did not decode.
  void Terminada(const QString& url, const QImage& imagen);

 private:
  struct Buzon;
  QImage Pedir(const QString& url);
  void Recibir(const QString& url, const QImage& imagen);

  DescargadorPNG descargador_;
  std::shared_ptr<Buzon> buzon_;
  QHash<QString, QImage> llegadas_;
  QSet<QString> enCurso_;
};
