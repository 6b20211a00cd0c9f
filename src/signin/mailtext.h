#pragma once
// The lines of a mail as one comma-separated text: a line with a blank, a
// control character, a comma or a double quote is quoted, inner quotes
// doubled; any other line, an empty one too, stays as it is.

#include <QStringList>

QString VirgulluMetin(const QStringList& satirlar);
