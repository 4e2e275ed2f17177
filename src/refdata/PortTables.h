#pragma once

#include "refdata/NameValueTable.h"

// The built-in lookup tables from place names to the codes the information
// service expects: sea ports (11 entries, name -> port code) and airports
// (149 entries, name -> IATA code). Built once on first use, read-only after.
class PortTables
{
public:
    static const NameValueTable& ports();
    static const NameValueTable& airports();

    // The constant texts the tables are built from ("name=code,name=code,...").
    static QString portsText();
    static QString airportsText();

    // Code for a name; the empty text for an unknown name.
    static QString portCode(const QString& name) { return ports().valueOf(name); }
    static QString airportCode(const QString& name) { return airports().valueOf(name); }
};
