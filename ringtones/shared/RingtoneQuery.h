#pragma once

// The catalogue search of the ringtone window, apart from the window: the
// criteria each method builds, the retries with the artist's name variants
// and the way a two-field method with one field filled goes on as the
// one-field method. Every window that searches the catalogue as the ringtone
// window does runs these passes over its own boxes.

#include "ringtones/shared/SearchMethod.h"

#include <QString>

namespace brivello::ringtones::shared {

// The search row as the passes read and change it.
class SearchRow
{
public:
    virtual ~SearchRow() = default;

    // The method and the four inputs: the single box, the artist box, the
    // title box and the genre.
    virtual SearchMethod method() const = 0;
    virtual QString text() const = 0;
    virtual QString artist() const = 0;
    virtual QString title() const = 0;
    virtual QString genre() const = 0;

    virtual void setText(const QString &text) = 0;
    virtual void clearArtist() = 0;
    virtual void clearTitle() = 0;
    // Shows the single box alone, for Artist or Title, and makes `method`
    // the method.
    virtual void showOneField(SearchMethod method) = 0;
    // Shows the genre alone and makes "Genere" the method.
    virtual void showGenre() = 0;

    // Appends every ringtone that meets `criteria` and returns how many.
    // A criteria string the catalogue cannot use throws data::CriteriaError.
    virtual int addMatches(const QString &criteria) = 0;
};

// Runs every pass of one search against `row` and returns the number of
// ringtones appended. Emptying the list before and telling that nothing was
// found after are the caller's. Throws data::CriteriaError from addMatches;
// the rows appended before stay.
int runSearchPasses(SearchRow &row);

} // namespace brivello::ringtones::shared
