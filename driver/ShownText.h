// The driver, the HTTP client and the error messages speak English, and the
// support log records them so. A view shows such a text in the user's
// language through ShownText: the text whole, or a known text with a file
// name or number in it, or sentence by sentence (outcomes join sentences).
// Pieces it does not know stay English.
#pragma once

#include <QString>
#include <QStringList>

QString ShownText(const QString& english);

// Every English text ShownText knows, with %1 where a value goes.
const QStringList& ShownTextSources();

// The translation context of those texts.
inline constexpr const char* kShownTextContext = "ShownText";
