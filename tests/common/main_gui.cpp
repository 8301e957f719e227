#include <gtest/gtest.h>

#include <QApplication>

#include "common/entorno.h"

int main(int argc, char** argv) {
  prueba::PrepararEntorno();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
