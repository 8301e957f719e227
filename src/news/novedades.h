#pragma once
// The news feed "Alcabala.xml" of the maker's server: banners that rotate
// above the form pages and messages that scroll through the marquee. Read
// once at start-up; it also proves that the Internet connection works.

#include <QImage>
#include <QString>
#include <QVector>
#include <libxml/tree.h>

// One banner of the feed.
struct Image {
  QImage Imagen;        // the picture; null until it has been downloaded
  QString ImageUrl;     // absolute address of the PNG picture
  QString NavigateUrl;  // address a click opens; empty for none
  qint32 Time = 0;      // milliseconds the banner stays on screen
};

// One scrolling message of the feed.
struct Message {
  QString Text;
  QString NavigateUrl;  // address a click opens; empty for none
};

// The feed's two lists, owned by the main window for the whole run.
struct Novedades {
  QVector<Image> Franjas;
  QVector<Message> Mensajes;
};

// Name of the feed document under the server's base address.
inline constexpr char NombreDocumentoNovedades[] = "Alcabala.xml";

// Downloads UrlBase() + "Alcabala.xml" and reads it into novedades. Returns
// false, with both lists empty, when the feed cannot be downloaded (no
// server, status other than 200), is not well-formed XML, or is not a valid
// feed (see LeerNovedades). Never raises for a bad feed.
bool DescargarNovedades(Novedades& novedades);

// Reads a parsed feed into novedades. urlFeed is the feed's own address:
// relative ImageUrl addresses are resolved against it. Valid when the
// document element is exactly "Alcabala" and every banner of the first
// "Images" has an "ImageUrl" and a "Time" that is a whole number from 0 to
// 2147483647, and every message of the first "Messages" has a "Text".
// Missing "Images" or "Messages" leave that list empty. On false both lists
// are left empty.
bool LeerNovedades(const xmlDoc* documento, const QString& urlFeed, Novedades& novedades);
