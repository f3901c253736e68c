#pragma once
// Every table definition of the year database and the year list, so that a service cuts a typed
// text to its column's width before writing ("395002-SURAT" into a 6-character PIN gives
// "395002"). Table definitions sit below every subsystem, so any of them may ask.
#include "db/Schema.h"

namespace tanabana::schema {

const db::ColumnWidths& yearColumnWidths();

}  // namespace tanabana::schema
