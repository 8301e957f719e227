#pragma once
// For window tests: records the standard error boxes instead of showing them,
// with whether the busy cursor was still up when each would have shown.
// Header only: the window tests alone use it.

#include <QGuiApplication>
#include <QStringList>
#include <vector>

#include "app/controles/comando.h"

namespace prueba {

struct ErroresAnotados {
  ErroresAnotados() {
    EstablecerPresentadorError([this](QWidget*, const QString& texto) {
      textos << texto;
      cursorAlMostrar.push_back(QGuiApplication::overrideCursor() != nullptr);
    });
  }
  ~ErroresAnotados() { EstablecerPresentadorError({}); }
  ErroresAnotados(const ErroresAnotados&) = delete;
  ErroresAnotados& operator=(const ErroresAnotados&) = delete;

  QStringList textos;
  std::vector<bool> cursorAlMostrar;
};

}  // namespace prueba
