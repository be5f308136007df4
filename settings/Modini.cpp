#include "settings/Modini.h"

#include "settings/IniFile.h"

namespace tessaly::Modini {

QString ReadIni(const QString &section, const QString &key, const QString &path)
{
    return IniFile(path).value(section, key);
}

Result<void> WriteIni(const QString &section, const QString &key, const QString &value,
                      const QString &path)
{
    return IniFile(path).setValue(section, key, value);
}

} // namespace tessaly::Modini
