// text_utils.h — small text utilities of the system: tokens, replacing, padding, numbers from text.
#pragma once
#include <QString>
#include <cstdint>

namespace qx {

// The n-th token (from 1) of text, every character of delimiters separating tokens, trimmed of
// blanks; empty when n <= 0 or there is no such token.
QString GetToken(const QString& text, int n, const QString& delimiters);
// 0 for an empty text, otherwise 1 + the number of delimiter characters in it.
int TokenCount(const QString& text, const QString& delimiters);
// Whether one of the tokens equals word exactly.
bool IsToken(const QString& text, const QString& word, const QString& delimiters);

// Replaces every occurrence of oldText (only the first when firstOnly), left to right, never
// rescanning replaced text; a text equal to oldText as a whole becomes newText.
QString ReplaceText(const QString& text, const QString& oldText, const QString& newText, bool firstOnly = false);
// An empty list becomes the word; otherwise delimiter + word is appended, unless unique is asked
// and the word already is one of the list's tokens.
void AppendToken(QString& list, const QString& word, const QString& delimiter, bool unique);
// Removes every blank; an empty result becomes "0".
QString RemoveSpaces(const QString& text);
// Optionally trimmed, padded on the left (right) to width with pad; a longer text keeps its
// rightmost (leftmost) width characters.
QString PadLeft(const QString& text, int width, bool trim = false, QChar pad = QLatin1Char(' '));
QString PadRight(const QString& text, int width, bool trim = false, QChar pad = QLatin1Char(' '));
// The integer value of text (leading blanks, a sign, decimal or "$"/"0x" hexadecimal digits); 0 when
// the text is not a valid 32-bit integer.
int32_t StrToIntDef0(const QString& text);
// Hexadecimal digits (either case; any other character counts as 0), "0" prefixed to an odd length;
// a value above 0xFFFF raises TqxfError.
uint16_t HexToInt(const QString& text);
// Bit n - 1 of value (n counted from 1); false for n outside 1 … 64.
bool BitIsSet(int64_t value, int n);

}  // namespace qx
