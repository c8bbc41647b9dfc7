#pragma once
// How the dialog controls show and measure their text: a label without its mnemonic mark,
// a static grown until its text shows, and the lines a word-wrapping box shows.

#include <QStringList>

#include <string>

class QFont;
class QLabel;
class QPlainTextEdit;

class TControlText {
public:
    // Windows shows '&' as the mnemonic mark; a label here shows the text without it.
    static QString WithoutMnemonic(const std::string& text);
    // A static text keeps its template's place (the label's "veloriaPlace") but grows, never
    // shrinks, until the font shows its whole text.
    static void FitStatic(QLabel& label);
    // The lines a word-wrapping box of the given width shows for a text.
    static QStringList WrappedLines(const QString& text, const QFont& font, int width);
    // Whether a multi-line box's lines show the whole text.
    static bool EditFits(const QPlainTextEdit& edit, const QString& text);
};
