#include "shell/helpwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const char *const kHelpText = R"(
<h2><a name="inhalt"></a>TESSARO &ndash; Hilfe</h2>
<p>TESSARO rechnet Druckaufträge einer kleinen Druckerei: Sie pflegen Papiere, Maschinen,
Satz- und Verarbeitungskosten, weitere Arbeiten, Transportarten, Lieferanten und Texte,
legen Kunden an und kalkulieren zu jedem Auftrag die Druckkosten. Aus einem Auftrag drucken
Sie ein Angebot oder eine Rechnung; jede Datei lässt sich als Liste am Bildschirm ansehen und
mit Seitenvorschau drucken.</p>

<h3>Die Menüs</h3>
<ul>
<li><b>ENDE</b> &ndash; beendet das Programm. Offene Formulare fragen vorher, ob Änderungen
gespeichert werden sollen.</li>
<li><b>Drucker einstellen</b> &ndash; wählt den Drucker und seine Einstellungen.</li>
<li><b>SICHERUNG</b> &ndash; schneidet den markierten Text des aktiven Feldes in die
Zwischenablage aus.</li>
<li><b>AUFTRAEGE</b> &ndash; Kunden mit ihren Aufträgen, alle Aufträge und die Positionen
der Aufträge.</li>
<li><b>AUSDRUCKE</b> &ndash; Listen der Dateien in verschiedenen Sortierungen und der
ausführliche Auftragsdruck.</li>
<li><b>STAMMDATEN</b> &ndash; Maschinen, Papiere, Satz- und Verarbeitungskosten, weitere
Arbeiten, Transport, Lieferanten und Texte.</li>
<li><b>Fenster</b> &ndash; ordnet die offenen Fenster nebeneinander, überlappend oder die
verkleinerten Fenster am unteren Rand an.</li>
</ul>
<p>Jeder Menüpunkt öffnet ein eigenes Fenster; mehrere Fenster können gleichzeitig offen
sein, auch dieselbe Liste zweimal.</p>

<h3>Tasten</h3>
<table cellpadding="3">
<tr><td><b>Einfg</b></td><td>in einer Liste: neuen Satz anlegen</td></tr>
<tr><td><b>Entf</b></td><td>in einer Liste: markierten Satz löschen (mit Rückfrage)</td></tr>
<tr><td><b>Strg+Eingabe</b></td><td>in einer Liste: markierten Satz ändern</td></tr>
<tr><td><b>Strg+'</b></td><td>in einem Formular: den zuletzt gespeicherten Wert des Feldes
zurückholen</td></tr>
<tr><td><b>F1</b></td><td>diese Hilfe</td></tr>
</table>

<h3><a name="bedienung"></a>Bedienung der Hilfe</h3>
<p>Geben Sie oben bei <i>Suchen</i> einen Begriff ein und drücken Sie die Eingabetaste: die
nächste Fundstelle wird markiert. Erneutes Drücken sucht weiter. Das Fenster schließen Sie
wie jedes andere Fenster.</p>
)";

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QMdiSubWindow(parent)
    , m_browser(new QTextBrowser)
    , m_search(new QLineEdit)
{
    setWindowTitle(QStringLiteral("Hilfe"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *content = new QWidget;
    auto *column = new QVBoxLayout(content);
    auto *searchRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("&Suchen:"));
    label->setBuddy(m_search);
    searchRow->addWidget(label);
    searchRow->addWidget(m_search);
    column->addLayout(searchRow);
    column->addWidget(m_browser);
    m_browser->setHtml(QString::fromUtf8(kHelpText));
    m_browser->setOpenLinks(false);
    setWidget(content);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { find(m_search->text()); });
}

void HelpWindow::showContents()
{
    m_browser->scrollToAnchor(QStringLiteral("inhalt"));
    m_browser->setFocus();
}

void HelpWindow::showSearch()
{
    m_search->setFocus();
    m_search->selectAll();
}

void HelpWindow::showHowTo()
{
    m_browser->scrollToAnchor(QStringLiteral("bedienung"));
    m_browser->setFocus();
}

bool HelpWindow::find(const QString &text)
{
    if (text.isEmpty())
        return false;
    if (m_browser->find(text))
        return true;
    m_browser->moveCursor(QTextCursor::Start);
    return m_browser->find(text);
}
