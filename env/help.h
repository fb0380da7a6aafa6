#pragma once

#include <QString>
#include <cstdint>
#include <span>

struct helprow {
    std::int32_t context;
    const char* page;
};

// The help pages by help context, searched in table order. Only the print
// window (context 820, "printen") asks for help through it; the other rows
// are the pages of the statistics suite that shares the help site.
std::span<const helprow> helptable();

// The page of a help context; empty when the table has none.
QString helppage(std::int32_t context);

// The help site: the "help" folder beside the program, as a file address.
// The pages are installed there with the program.
QString helpbaseaddress();

// The address of a help page: the base, "/htmlplusnorvelned/index.html?",
// the page and ".htm".
QString helpaddress(const QString& page);

// Opens the page of a help context in the web browser; an unknown context
// opens nothing.
void showhelppage(std::int32_t context);
