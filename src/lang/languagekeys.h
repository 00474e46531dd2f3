#pragma once

#include <QStringView>
#include <span>

namespace tavrok {

// What a key of a window's section in a language file does.
enum class KeyKind {
    Caption, // the caption of the control named by the key (or of its targets); built in: the layout's caption
    Hint,    // the hint (tooltip) of its targets; built in: the table's text
    Title,   // the window's caption; built in: the layout's
    Word,    // a text the program uses where it needs it (a button role, a day name, a list entry)
};

struct LanguageKey {
    const char16_t* key;
    KeyKind kind;
    const char16_t* builtIn = nullptr; // Hint and Word keys
    const char16_t* targets = nullptr; // the controls, comma separated, where they are not named as the key
    const char16_t* fileSection = nullptr; // read from another window's section of the file
    const char16_t* fallback = nullptr;    // a key of the same section read where the file lacks this one
};

struct LanguageSection {
    const char16_t* name;
    std::span<const LanguageKey> keys;
};

// The sections of a file a key is read from.
QStringView fileSectionOf(const LanguageSection& section, const LanguageKey& key);

// The window sections in the order they are applied, each with its keys in their order.
std::span<const LanguageSection> languageSections();
const LanguageSection* findLanguageSection(QStringView name);
const LanguageKey* findLanguageKey(QStringView section, QStringView key);

} // namespace tavrok
