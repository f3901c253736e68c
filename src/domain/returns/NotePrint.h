#pragma once
// What a credit or debit note hands to report output: the layout "CreditNote_TM_" or
// "DebitNote_TM_" + print type, one row of the note with its party, referred bill and firm, the
// amount in words as the parameter, and the exported file's name "CreditNote_No -" + number.
#include "core/Session.h"
#include "db/Database.h"
#include "domain/reports/ReportService.h"
#include "domain/returns/Notes.h"

namespace tanabana::returns {

QString noteLayoutName(NoteKind kind, int printType);
QString notePdfName(NoteKind kind, const QString& noteNo);
// Throws reports::ReportError when the note is not in the session's firm.
reports::ReportRequest noteRequest(db::Database& db, const Session& session, qint64 noteId, int printType = 1);
// Writes the note as a PDF; throws reports::ReportError or db::DbError.
void writeNotePdf(db::Database& db, const Session& session, const QString& installFolder, qint64 noteId, const QString& path, int printType = 1);

}  // namespace tanabana::returns
