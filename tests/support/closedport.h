#pragma once

#include <QtGlobal>

// A port on 127.0.0.1 where nobody listens: a connection there is refused at once.
quint16 closedPort();
