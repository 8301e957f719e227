#pragma once
// The data file the benchmarks read: 240 declarations, every month of the
// 20 years from 2005, with a few boxes filled.

#include <QString>

#include "general/moneda.h"
#include "storage/archivo.h"
#include "storage/conexion.h"

constexpr int kPrimerAno = 2005;
constexpr int kAnos = 20;

inline void LlenarArchivo(const QString& ruta) {
  CrearArchivoAlcabala(ruta);
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, ruta);
  Transaccion transaccion(conexion);
  for (int ano = kPrimerAno; ano < kPrimerAno + kAnos; ++ano)
    for (int mes = 1; mes <= 12; ++mes)
      conexion.Ejecutar(
          "INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod563, Cod115, Cod06) VALUES (?, ?, ?, ?, ?, ?, ?)",
          {ano, mes, Moneda::DesdePesos(1000000 + mes).Crudo(), Moneda::DesdePesos(200000).Crudo(),
           Moneda::DesdePesos(5000000).Crudo(), 1.5, QString("Calle %1").leftJustified(50, ' ')});
  transaccion.Confirmar();
}

