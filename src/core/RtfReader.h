#pragma once

#include <QByteArrayView>

class QTextDocument;

// The description pane of the main window loads a course file "as rich text,
// or plain text when the file is not rich text", as the old rich-edit control did.
// Qt has no RTF reader, so this is a compact one: the subset that word processors and
// the rich-edit control itself write for short formatted texts.
//
// Read: text in any single- or double-byte code page (\ansicpg, \fcharset, \cpg, \'hh)
// and Unicode (\u with \uc skipping); paragraphs (\par, \pard, alignment, indents,
// spacing); character formats (bold, italic, underline, strike-out, font face from the
// font table, size, colour and highlight from the colour table, super- and subscript,
// hidden text dropped); special characters (\tab, \line, dashes, quotes, bullets, hard
// spaces and hyphens); field results; table cells as tabs and rows as paragraphs;
// PNG and JPEG pictures. Everything else (style sheets, headers, footnotes, lists
// beyond their visible text, other picture kinds, ignorable \* destinations) is skipped.
//
// Damaged RTF never throws: the reader keeps what it could read, as the control did.
// Failing to open the file is the caller's error to report (the FileSystem road).

// True when the bytes are rich text for the rich-edit control: they begin with "{\rtf".
bool isRichText(QByteArrayView bytes);

// Replaces the document's content with the rich text in the bytes. Properties the text
// does not set (font face, size, colour) stay the document's defaults, so the view's
// own font (Arial 12 px) shows through.
void readRtf(QByteArrayView bytes, QTextDocument &document);

// Replaces the document's content with plain cp1251 text; CR LF, a lone CR and a lone
// LF each end a paragraph.
void readPlainText(QByteArrayView bytes, QTextDocument &document);

// What the description pane does with a description file's bytes: readRtf when they are
// rich text, readPlainText otherwise.
void readRichOrPlainText(QByteArrayView bytes, QTextDocument &document);
