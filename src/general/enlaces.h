#pragma once
// Addresses the program hands to the desktop to open. Those of the news feed
// come from the network, so only web addresses pass (and mail addresses
// where the program itself offers one).

#include <QString>

// True for an absolute http: or https: address with a host, and, when
// permitirMailto, for a mailto: address with a recipient. Local paths,
// file:, javascript:, data:, other schemes and empty text are refused.
bool EsDireccionAbrible(const QString& url, bool permitirMailto);
