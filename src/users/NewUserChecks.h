#pragma once

#include "UserList.h"

#include <QChar>
#include <QString>

// What the new-user dialog holds when it is confirmed.
struct NewUserInput {
    QString name;
    QString password;
    QString passwordAgain;
    QString fileName; // derived from the name
};

// The first failed check's message (caption "Ошибка", icon 48), or an empty string when
// the new user may be added. The checks run in their fixed order and stop at the first.
QString checkNewUser(const UserRegistry &registry, const NewUserInput &input);

// The name field takes characters of codes 31 to 127 and backspace, nothing else.
bool nameFieldAccepts(QChar c);

// The name with every character the field would refuse removed (for pasted text).
QString filterNameText(const QString &text);
