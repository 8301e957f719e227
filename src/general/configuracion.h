#pragma once
// Fixed places the program reads from its surroundings. There is no settings
// file: the maker's server comes from the build, or from the environment.

#include <QString>

// Base address of the maker's web server (news feed, banners, UTM
// documents): the environment variable ALCABALA_URL_BASE when it is set and
// not empty, else the address fixed when the program was built. Always ends
// with "/".
QString UrlBase();
