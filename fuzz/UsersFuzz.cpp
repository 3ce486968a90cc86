// Feeds arbitrary bytes to the user list reader: every field of every record read must
// stay within its record, whatever its length bytes say.
#include "users/UserList.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<UserRecord> users;
    const bool whole = usersFromBytes(bytes, users);
    if (whole != (size % UserRecord::Size == 0) || size_t(users.size()) != size / UserRecord::Size)
        __builtin_trap();
    for (const UserRecord &user : users) {
        if (user.Name().size() > UserRecord::MaxName || user.Password().size() > UserRecord::MaxPassword ||
            user.Dir().size() > UserRecord::MaxPath || user.FileName().size() > UserRecord::MaxPath)
            __builtin_trap();
        (void)user.Reg();
        (void)userListLine(user);
        (void)isSafeUserName(user.Name());
    }
    return 0;
}
