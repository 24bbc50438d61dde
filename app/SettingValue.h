#pragma once

#include "app/Helpers.h"

#include <QLatin1String>
#include <QString>
#include <QVariant>
#include <optional>
#include <type_traits>

// One persisted setting: its key and the value it has while none is saved,
// read and written through the one settings store (settingsValue). Values are
// written as a QVariant of the value (choices as their number) and read back
// from text, as the store has always held them.
template<typename T> class SettingValue
{
public:
    SettingValue(const char *key, T defaultValue)
        : m_key(key)
        , m_default(std::move(defaultValue))
    {
    }

    const char *key() const { return m_key; }
    const T &defaultValue() const { return m_default; }

    // The saved value; nothing when no text is saved under the key.
    std::optional<T> saved() const
    {
        const QString text = settingsValue(QLatin1String(m_key));
        if (text.isEmpty())
            return std::nullopt;
        return fromText(text);
    }
    T get() const { return saved().value_or(m_default); }
    void set(const T &value) const { settingsValue(QLatin1String(m_key), toVariant(value), true); }

private:
    // Text that is not a number reads as 0, as QString's conversions do.
    static T fromText(const QString &text)
    {
        if constexpr (std::is_same_v<T, QString>)
            return text;
        else if constexpr (std::is_enum_v<T>)
            return static_cast<T>(text.toInt());
        else if constexpr (std::is_same_v<T, int>)
            return text.toInt();
        else if constexpr (std::is_same_v<T, float>)
            return text.toFloat();
        else
            return text.toDouble();
    }
    static QVariant toVariant(const T &value)
    {
        if constexpr (std::is_enum_v<T>)
            return static_cast<int>(value);
        else
            return QVariant::fromValue(value);
    }

    const char *m_key;
    T m_default;
};
