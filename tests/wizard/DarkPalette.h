// A dark desktop theme for the window's tests and pictures: the Fusion
// style with a dark palette of the kind dark desktops hand to programs.
#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyleFactory>

namespace wizardtest {

inline QPalette DarkPalette()
{
    QPalette p;
    const QColor window("#353535"), base("#232323"), text("#ffffff"), disabled("#7f7f7f");
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, QColor("#2a82da"));
    p.setColor(QPalette::LinkVisited, QColor("#9b59d0"));
    p.setColor(QPalette::Highlight, QColor("#2a82da"));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, QColor("#505050"));
    p.setColor(QPalette::Midlight, QColor("#424242"));
    p.setColor(QPalette::Mid, QColor("#2a2a2a"));
    p.setColor(QPalette::Dark, QColor("#1e1e1e"));
    p.setColor(QPalette::Shadow, QColor("#141414"));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    return p;
}

// Puts the application into the dark theme (before the window is made).
inline void UseDarkTheme()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
}

}  // namespace wizardtest
