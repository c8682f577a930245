#pragma once

// What the program does with a catalogue file from its start to the first
// search, without windows: the checks of the load steps, the combo lists,
// the tools list, the ringtone table read in part, a first search and the
// details of the first ringtone found. Shared by the fuzz target and the
// corruption test, so both walk the same road as the program.

#include <QString>
#include <QStringList>

#include <cstddef>

namespace brivello::fuzz {

struct WalkResult
{
    QStringList methods;       // Zoekmethodes
    QStringList genres;        // Genres
    QStringList tools;         // toolnaam of every tool
    QStringList categories;    // Rubrieken
    std::size_t ringtones = 0; // rows of Main
    std::size_t found = 0;     // rows of the first search
    QStringList firstDetails;  // every field of the first ringtone found
};

// Throws what the program would show as a message: data::CatalogueError, or
// data::CriteriaError for a search the catalogue cannot answer.
WalkResult startUpAndFirstSearch(const QString &path);

// Reads every table of the file whole; returns how many rows they hold.
// Throws data::CatalogueError.
std::size_t readEveryTable(const QString &path);

} // namespace brivello::fuzz
