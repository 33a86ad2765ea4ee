#pragma once

#include "about/registry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

#include <algorithm>

// A registry below HKEY_LOCAL_MACHINE as an ordinary user sees it: keys can be read,
// any request for more than read access is refused. Records every call.
class FakeRegistry final : public Registry {
public:
    struct Value {
        std::uint32_t type;
        QByteArray bytes;   // as stored: its size is the value's size
    };
    struct OpenRequest {
        Root root;
        QString subKey;
        std::uint32_t access;
    };

    void set(const QString &key, const QString &name, std::uint32_t type, const QByteArray &bytes)
    {
        keys[key.toLower()][name.toLower()] = {type, bytes};
    }
    void addKey(const QString &key) { keys[key.toLower()]; }

    long openKey(Root root, const QString &subKey, std::uint32_t access, Handle &key) override
    {
        opens.append({root, subKey, access});
        // Windows promises nothing about the handle of a failed open; the caller must not use it.
        key = 0xDEAD;
        if (root != localMachine || !keys.contains(subKey.toLower()))
            return fileNotFound;
        if (access & ~readAccess)
            return accessDenied;
        key = nextHandle++;
        openKeys.insert(key, subKey.toLower());
        return success;
    }

    long queryValue(Handle key, const QString &valueName, std::uint32_t &type, std::span<char> buffer,
                    std::uint32_t &size) override
    {
        bufferSizes.append(size);
        if (!openKeys.contains(key))
            return invalidHandle;
        const auto &values = keys.value(openKeys.value(key));
        if (!values.contains(valueName.toLower()))
            return fileNotFound;
        const Value &value = values.value(valueName.toLower());
        if (value.bytes.size() > qsizetype(std::min<std::size_t>(size, buffer.size()))) {
            size = value.bytes.size();
            return moreData;
        }
        std::copy(value.bytes.begin(), value.bytes.end(), buffer.begin());
        size = value.bytes.size();
        type = value.type;
        return success;
    }

    long closeKey(Handle key) override
    {
        closes.append(key);
        return openKeys.remove(key) ? success : invalidHandle;
    }

    QList<OpenRequest> opens;
    QList<std::uint32_t> bufferSizes;
    QList<Handle> closes;
    QHash<Handle, QString> openKeys;    // opened and not yet closed

private:
    QMap<QString, QMap<QString, Value>> keys;   // names compare without case, as on Windows
    Handle nextHandle = 100;
};
