#pragma once

#include <QLocale>

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

class QTranslator;

// The language the program speaks, German throughout by default: Qt's own dialogs and buttons
// (message boxes, the printer and file dialogs) take Qt's German translations, and the
// program's English texts (the window manager's buttons and questions, list and report
// titles, tabs named after keys, the messages) its own German translation, which is built
// with the program. An entry in the settings file shows the program's texts as they are
// written in the code instead:
//
//   [Sprache]
//   Texte=Original
//
// Numbers and dates are German either way. The translations hold for the life of the object;
// it is made before the first window, which takes its texts when it is built.
class UiLanguage
{
public:
    static constexpr std::string_view Section = "Sprache";
    static constexpr std::string_view Entry = "Texte";
    static constexpr std::string_view SourceTexts = "Original";

    // Reads the entry from the settings file in `folder`; a missing file or entry means
    // German.
    explicit UiLanguage(const std::filesystem::path &folder);
    ~UiLanguage();
    UiLanguage(const UiLanguage &) = delete;
    UiLanguage &operator=(const UiLanguage &) = delete;

    // The program's own texts are shown in German (else as written in the code).
    bool programInGerman() const { return m_programInGerman; }
    // Qt's German translations were found and are in use.
    bool qtInGerman() const { return m_qtInGerman; }

private:
    bool install(std::unique_ptr<QTranslator> translator);

    std::vector<std::unique_ptr<QTranslator>> m_installed;
    QLocale m_previousLocale;
    bool m_programInGerman = false;
    bool m_qtInGerman = false;
};
