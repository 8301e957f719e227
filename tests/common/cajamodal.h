#pragma once
// Runs code that shows modal message boxes and answers them, recording what
// each box said, so window tests can check real boxes without a person.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <vector>

namespace prueba {

struct CajaVista {
  QString titulo;
  QString texto;
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  QMessageBox::StandardButtons botones;
  QStringList textosBotones;
};

// Runs accion; every QMessageBox that becomes modal meanwhile is recorded and
// answered with the button `respuesta` (its first button when it lacks that
// one). Returns the boxes in the order seen.
inline std::vector<CajaVista> ResponderCajas(QMessageBox::StandardButton respuesta,
                                             const std::function<void()>& accion) {
  std::vector<CajaVista> vistas;
  QTimer vigia;
  vigia.setInterval(5);
  QObject::connect(&vigia, &QTimer::timeout, [&vistas, respuesta] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!caja || !caja->isVisible() || caja->property("respondida").toBool()) return;
    caja->setProperty("respondida", true);
    CajaVista vista;
    vista.titulo = caja->windowTitle();
    vista.texto = caja->text();
    vista.icono = caja->icon();
    vista.botones = caja->standardButtons();
    for (QAbstractButton* boton : caja->buttons()) vista.textosBotones << boton->text();
    vistas.push_back(vista);
    if (respuesta == QMessageBox::NoButton) {
      caja->done(0);
      return;
    }
    QAbstractButton* boton = caja->button(respuesta);
    if (boton == nullptr && !caja->buttons().isEmpty()) boton = caja->buttons().first();
    if (boton != nullptr) boton->click();
  });
  vigia.start();
  accion();
  vigia.stop();
  return vistas;
}

// The same, closing every box without choosing a button.
inline std::vector<CajaVista> ResponderCajas(const std::function<void()>& accion) {
  return ResponderCajas(QMessageBox::NoButton, accion);
}

}  // namespace prueba
