#include "shell/uilanguage.h"

#include "store/inifile.h"
#include "store/inimanager.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool sourceTextsWanted(const std::filesystem::path &folder)
{
    const std::string value = IniFile::load(folder / IniManager::DefaultFileName)
                                  .value(UiLanguage::Section, UiLanguage::Entry)
                                  .value_or(std::string());
    return QString::fromStdString(value).trimmed().compare(
               QString::fromUtf8(UiLanguage::SourceTexts.data(),
                                 static_cast<qsizetype>(UiLanguage::SourceTexts.size())),
               Qt::CaseInsensitive)
           == 0;
}

} // namespace

UiLanguage::UiLanguage(const std::filesystem::path &folder)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);

    auto qt = std::make_unique<QTranslator>();
    if (qt->load(german,
                 QStringLiteral("qtbase"),
                 QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_qtInGerman = install(std::move(qt));

    if (!sourceTextsWanted(folder)) {
        auto own = std::make_unique<QTranslator>();
        if (own->load(QStringLiteral(":/i18n/tessaro_de.qm")))
            m_programInGerman = install(std::move(own));
    }
}

UiLanguage::~UiLanguage()
{
    for (const std::unique_ptr<QTranslator> &translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
    QLocale::setDefault(m_previousLocale);
}

bool UiLanguage::install(std::unique_ptr<QTranslator> translator)
{
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    m_installed.push_back(std::move(translator));
    return true;
}
