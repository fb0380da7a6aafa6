#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class IniFile;

// The kinds of value a key of a settings profile holds.
enum class SettingKind : std::uint8_t { Boolean, Integer, String, Fraction };

struct SettingKey {
    const char* name;
    SettingKind kind;
};

// Every key of a profile section, in the order the suite reads them. The
// suite that shares the settings file gives them their meaning; this program
// keeps their text and interprets only the keys that are fields of
// tinstelobject.
std::span<const SettingKey> settingKeys();

// One settings profile: the section "Norvel_" + n of the settings file.
class tinstelobject {
public:
    // Every key at its default.
    tinstelobject();
    // Every key read from the section "Norvel_" + number, each with its own
    // default when it is absent or not a value of its kind.
    tinstelobject(const IniFile& ini, std::int32_t number);

    // The folder for files; the data folder is derived from it at start-up.
    QString set_plekbestanden;
    // Printing allowed.
    bool selbol_printen = true;
    // The suite's one decimal fraction, with a point or a comma in the file.
    double selbol_steekproef_foutenmarge = 2;

    // The text of a key of the profile section as the file gave it; nothing
    // when the key was absent (its default applies) or is not a profile key.
    std::optional<QString> text(const QString& key) const;

private:
    // By index in settingKeys(); empty while every key is at its default.
    std::vector<std::optional<QString>> m_texts;
};

// The profile list of the settings file and the suite's decoded password.
class tinstellijst {
public:
    // A list holding one default profile.
    tinstellijst();
    // The profiles read from a settings file held by an INI reader.
    explicit tinstellijst(const IniFile& ini);

    // From a local file. A file that cannot be read gives what an empty file
    // gives (one default profile); read tells whether it could be read.
    static tinstellijst fromFile(const QString& fileName, bool* read = nullptr);
    // From a web address through downloadurl. When it cannot be fetched the
    // list is empty; read tells whether it was fetched.
    static tinstellijst fromUrl(const QString& address, bool* read = nullptr);

    // Reads "ALGEMEEN" and appends the profiles it counts, at most maxProfiles.
    void readprofiles(const IniFile& ini);

    static constexpr std::int32_t maxProfiles = 10000;

    std::int32_t count() const { return static_cast<std::int32_t>(m_profiles.size()); }
    bool empty() const { return m_profiles.empty(); }
    tinstelobject& operator[](std::int32_t index) { return *m_profiles.at(index); }
    const tinstelobject& operator[](std::int32_t index) const { return *m_profiles.at(index); }
    void add(std::unique_ptr<tinstelobject> profile);

    // "wachtwoord" of "ALGEMEEN" with every byte b stored as 255 - b, decoded.
    QString wachtwoord;

private:
    struct Empty {};
    explicit tinstellijst(Empty) {}

    std::vector<std::unique_ptr<tinstelobject>> m_profiles;
};
