#pragma once
// The host's own palette entries: the data-access components every form designer offers, with
// the host's editor for a connection's database file.

// Registers the data-access components on the "Data Access" page and the database-file editor
// of TSQLConnection (as the host, not a package).
void RegisterHostComponents();
