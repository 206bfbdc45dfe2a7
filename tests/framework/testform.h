#pragma once

#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "framework/radiogroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

// The form the window tests work on. Entries 10, 11 and 12 are created in another order
// than their tab order (10, 11, 12); then check box 15, button 20, tab sheet 30 with tabs 31
// and 32 (entry 33 on the second), drop list 40, radio group 50, list 60.
struct TestForm
{
    explicit TestForm(ProcWindow &window)
    {
        QWidget *content = window.content();
        auto *layout = new QFormLayout(content);
        e12 = new QLineEdit(content);
        e10 = new QLineEdit(content);
        e11 = new QLineEdit(content);
        QWidget::setTabOrder(e10, e11);
        QWidget::setTabOrder(e11, e12);
        layout->addRow(QStringLiteral("Bezeichnung"), e10);
        layout->addRow(QStringLiteral("Preis"), e11);
        layout->addRow(QStringLiteral("Menge"), e12);
        check = new QCheckBox(QStringLiteral("Lagerware"), content);
        layout->addRow(check);
        button = new QPushButton(QStringLiteral("&Speichern"), content);
        layout->addRow(button);
        sheet = new QTabWidget(content);
        tab1 = new QWidget;
        tab2 = new QWidget;
        sheet->addTab(tab1, QStringLiteral("Allgemein"));
        sheet->addTab(tab2, QStringLiteral("Lieferanten"));
        e33 = new QLineEdit(tab2);
        layout->addRow(sheet);
        drop = new QComboBox(content);
        drop->addItems({QStringLiteral("A4"), QStringLiteral("A3"), QStringLiteral("SRA3")});
        layout->addRow(QStringLiteral("Format"), drop);
        radio = new RadioGroup(QStringLiteral("Farbe"), content);
        radio->addOption(QStringLiteral("1/0-farbig"), std::int32_t{1});
        radio->addOption(QStringLiteral("4/0-farbig"), std::int32_t{4});
        layout->addRow(radio);
        list = new ListControl(content);
        layout->addRow(list);

        window.addControl(10, e10, QStringLiteral("Bezeichnung"));
        window.addControl(11, e11, QStringLiteral("Preis"));
        window.addControl(12, e12, QStringLiteral("Menge"));
        window.addControl(15, check);
        window.addControl(20, button);
        window.addControl(30, sheet, QStringLiteral("Register"));
        window.addControl(31, tab1, QStringLiteral("Allgemein"));
        window.addControl(32, tab2, QStringLiteral("Lieferanten"));
        window.addControl(33, e33, QStringLiteral("Lieferant"));
        window.addControl(40, drop, QStringLiteral("Format"));
        window.addControl(50, radio);
        window.addControl(60, list, QStringLiteral("Papiere"));
    }

    QLineEdit *e10, *e11, *e12, *e33;
    QCheckBox *check;
    QPushButton *button;
    QTabWidget *sheet;
    QWidget *tab1, *tab2;
    QComboBox *drop;
    RadioGroup *radio;
    ListControl *list;
};
