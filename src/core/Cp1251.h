#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Course files and record files hold Windows Cyrillic (cp1251) bytes; the screen
// gets QString. Conversion happens only at that boundary, through these two calls.
// cp1251 is a single-byte code page, so a text of n bytes is n characters.

QString fromCp1251(QByteArrayView bytes);

// Characters with no cp1251 byte become '?'.
QByteArray toCp1251(QStringView text);
