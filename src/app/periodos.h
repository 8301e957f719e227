#pragma once
// The year and month lists of the form's head ("AÑO", "MES"): filling them
// from the open data file and selecting the entry of a period. Selecting
// from the program never fires the lists' change signals; only the user's
// choice runs the change handlers.

class Conexion;
class QComboBox;

// Refills the year list with the distinct years of the file's declarations,
// newest first. Afterwards no entry is selected and the list shows no text.
void LlenarComboBoxAno(QComboBox* comboBoxAno, Conexion& conexion);

// Refills the month list with one entry per declaration of the year ano,
// latest month first, each as its month name. No entry is selected.
void LlenarComboBoxMes(QComboBox* comboBoxMes, Conexion& conexion, int ano);

// Selects the year entry whose trimmed text is ano in decimal; with none,
// no entry is selected.
void SeleccionarItemComboBoxAno(QComboBox* comboBoxAno, int ano);

// Selects the month entry whose trimmed, upper-cased text is the name of
// month mes; with none (and for mes outside 1 to 12), no entry is selected.
void SeleccionarItemComboBoxMes(QComboBox* comboBoxMes, int mes);

// Empties a list (file closed).
void VaciarComboBox(QComboBox* comboBox);
