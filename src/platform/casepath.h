#pragma once

#include <QString>

// Files made on Windows differ from the names we look for only in case ("Down.lst" / "down.lst").
// Returns the path of the entry of `folder` whose name equals `name` without regard to case,
// preferring an exact match; empty when there is none.
QString findIgnoringCase(const QString &folder, const QString &name);

// The existing entry's path when there is one, otherwise folder + "/" + name (for creating it).
QString pathIgnoringCase(const QString &folder, const QString &name);
