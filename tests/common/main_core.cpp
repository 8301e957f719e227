#include <gtest/gtest.h>

#include <QGuiApplication>

#include "common/entorno.h"

int main(int argc, char** argv) {
  prueba::PrepararEntorno();
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
