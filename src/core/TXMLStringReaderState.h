#pragma once

// A saved reading position of TXMLStringReader, used to back out of a failed match.
struct TXMLStringReaderState
{
    int position = 0; // 1-based index of the current character; past the end at the end
    char current = 0; // the current character, NUL at the end
};
