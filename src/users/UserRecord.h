#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// One learner of the user list: a 560-byte record kept as its raw bytes. Accessors read
// and write single fields in place, so bytes the program never changes (after each text,
// the reserved tail) survive a load and save untouched.
class UserRecord {
public:
    static constexpr int Size = 560;
    static constexpr int MaxName = 30;
    static constexpr int MaxPassword = 10;
    static constexpr int MaxPath = 255;

    // All zero bytes.
    UserRecord();
    // A record read from a file; anything but 560 bytes gives an all-zero record.
    explicit UserRecord(const QByteArray &bytes);

    const QByteArray &bytes() const { return bytes_; }

    QString Name() const;
    void setName(const QString &name); // cut to 30 characters
    QChar Reg() const;
    void setReg(QChar mode);
    QString Password() const;
    void setPassword(const QString &password); // cut to 10 characters
    QString Dir() const;
    void setDir(const QString &dir); // cut to 255 characters
    QString FileName() const;
    void setFileName(const QString &fileName); // cut to 255 characters

    bool operator==(const UserRecord &other) const { return bytes_ == other.bytes_; }

private:
    QByteArray bytes_;
};

// The built-in anonymous learner: name "Анонимный пользователь", mode D, all else empty.
const UserRecord &AnonymousUser();

// The user's line in the select-user list: name, " - Режим ", mode letter.
QString userListLine(const UserRecord &user);
