#include <gtest/gtest.h>

#include "general/enlaces.h"

TEST(EsDireccionAbrible, SoloDireccionesWebConServidor) {
  for (const char* url : {"http://www.sii.cl/", "https://www.sii.cl/valores/utm.htm?a=1#b", "HTTPS://EJEMPLO.CL",
                          "  https://ejemplo.cl/  "}) {
    EXPECT_TRUE(EsDireccionAbrible(QString::fromUtf8(url), false)) << url;
  }
  for (const char* url : {"", "   ", "www.sii.cl", "/etc/passwd", "C:\\Windows\\system32\\calc.exe",
                          "file:///etc/passwd", "javascript:alert(1)", "data:text/html,<b>x</b>",
                          "ftp://ejemplo.cl/", "smb://servidor/carpeta", "http:/sin-servidor", "https://",
                          "mailto:contacto@ejemplo.cl", "calc.exe"}) {
    EXPECT_FALSE(EsDireccionAbrible(QString::fromUtf8(url), false)) << url;
  }
}

TEST(EsDireccionAbrible, CorreoSoloCuandoSePermite) {
  EXPECT_TRUE(EsDireccionAbrible(QStringLiteral("mailto:contacto@ejemplo.cl"), true));
  EXPECT_FALSE(EsDireccionAbrible(QStringLiteral("mailto:"), true));
  EXPECT_FALSE(EsDireccionAbrible(QStringLiteral("file:///etc/passwd"), true));
  EXPECT_TRUE(EsDireccionAbrible(QStringLiteral("https://ejemplo.cl"), true));
}
