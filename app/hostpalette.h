#pragma once
// The host's own palette entries: the data-access components every form designer offers, with
// the host's editors for a data set's fields and a connection's database file.

// Registers, as the host and not a package, the data-access components on the "Data Access"
// page, the fields editor of data sets and the database-file editor of TSQLConnection.
void RegisterHostComponents();
