#pragma once
// One check per reader of untrusted input.  Each takes any bytes, hands them
// to the reader, and answers what went wrong: empty when the reader accepted
// the input and everything that must then hold does, or refused it with an
// error of its documented kind that names the source.  Anything else (a
// crash, an exception of another kind, a broken promise) is a finding.
//
// The libFuzzer targets (tests/fuzz/targets) and the seed replay test in the
// ordinary suite both call these, so an input found once stays checked the
// same way.
#include <QByteArray>
#include <QString>

// Table file bytes: loaded from memory and from a file; refused the same
// way by both, naming the file and leaving the target table as it was; or
// loaded with every sort order sound, and saved and reloaded unchanged.
QString CheckTableFile(const QByteArray& Data);

// Form text: parsed, or refused naming the source and line; printed text
// parses to the same print.  A text that reads into the test components
// writes a text that reads back and writes the same again, and leaves no
// reference waiting once its root is gone.
QString CheckFormText(const QByteArray& Data);

// Ini file bytes: an in-memory and an on-disk ini file read the same
// sections, keys and values; written back and read again they stay the
// same, and writes, deletes and erases do what they say.
QString CheckIniFile(const QByteArray& Data);

// A filter text (UTF-8) under every option: parsed, or refused with the
// classic text naming the start of the expression or of the field (at most
// 40 characters of either); a parsed filter gives
// the same answer for text handed over as UTF-8 or as a string, reads only
// the fields it lists, and its NOT is the opposite on every record.
QString CheckFilter(const QByteArray& Data);
