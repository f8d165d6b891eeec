#pragma once
// The site search of the commentary's search menu ("Pelmora サイト内検索"): our site is the
// help pages beside the program, so the search looks through them here and writes its results
// as a page among them (help\search.htm), which the browser then shows.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace hastelyn::foundation {

struct HelpSearchHit {
    std::string page;     // file name in the help folder, "usage.htm"
    std::string title;    // the page's title without " - Hastelyn ヘルプ"
    std::string excerpt;  // text around the first place found, as HTML with the word marked
    int places = 0;       // how often the word is on the page
};

// The text of a page as a reader sees it: no tags, no head, no scripts or styles, character
// references decoded, every run of blanks and line breaks one blank.
std::string pageText(std::string_view html);

// The help pages (*.htm of the folder, the results page aside) whose text holds the word,
// ASCII letters in any case, in the order of their names. Blanks and line breaks in the word
// count as one blank; an empty word finds nothing. A page that cannot be read is passed by.
std::vector<HelpSearchHit> searchHelpPages(platform::FileSystem& files, std::string_view helpFolder,
                                           std::string_view word);

// The results page: the pages found, linked, each with its excerpt; or that none was found.
std::string helpSearchResultsPage(std::string_view word, const std::vector<HelpSearchHit>& hits);

// Searches the help folder beside the program and writes the results page there; its path,
// to be opened. Throws CommandError when the page cannot be written.
std::string searchHelp(platform::Platform& platform, std::string_view word);

}  // namespace hastelyn::foundation
