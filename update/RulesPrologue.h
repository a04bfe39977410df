#pragma once

#include <QByteArray>
#include <QString>

// What may come before the root element of an update rules file: an XML declaration, processing
// instructions, comments and white space, and nothing else. A document type declaration is refused: the
// entities it declares could turn a file within the size limit into gigabytes once parsed. The prologue is
// read without any parser, in the file's encoding as a byte-order mark or the first bytes tell it, so that
// nothing a parser would make of a declaration is ever reached.
//
// Empty when the prologue is sound; otherwise why not, for a log.
QString RulesPrologueFault(const QByteArray& document);
