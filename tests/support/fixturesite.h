#pragma once

#include <QString>

class LoopbackServer;

// Serves one of the fixture sites (fixtures/sites/<name>) on the server. The site's site.txt lists
// what is served: "<path> <file>" for a page of the site, "<path> -> <location>" for a redirect
// (302); "#" starts a comment. False when the site or one of its files is missing.
bool serveFixtureSite(LoopbackServer &server, const QString &name);
