#pragma once

#include "RichText.h"

#include <QByteArrayView>

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

// The rich text in the bytes. Properties the text does not set (font face, size, colour)
// are left unset, so the view's own font (Arial 12 px) shows through.
RichText readRtf(QByteArrayView bytes);

// Plain cp1251 text; CR LF, a lone CR and a lone LF each end a paragraph.
RichText readPlainText(QByteArrayView bytes);

// What the description pane does with a description file's bytes: readRtf when they are
// rich text, readPlainText otherwise.
RichText readRichOrPlainText(QByteArrayView bytes);
