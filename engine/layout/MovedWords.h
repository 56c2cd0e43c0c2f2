#pragma once

#include <litehtml/litehtml.h>

#include <atomic>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace engine {

// The words of the long texts of a run of blocks written anew (an Enter
// that splits a long paragraph, a Backspace that joins two), which the
// run's text leaves out: litehtml's elements of the words the run held
// before, taken over where a text begins or ends as one of the run's old
// texts did, in a box of the same font, white space and case; the words
// between made as the parser makes them. A long paragraph's words are then
// neither parsed nor made again.
//
// litehtml splits a text at each white space character, and a word's
// element follows from its text and its box's style alone: the words up to
// a white space character that a text shares with an old one, and those
// after one, are the old words.
class MovedWords
{
public:
    // The words of the texts in `old` (the run's elements before: the words
    // after each text's marker), taken over from there; the elements taken
    // leave their old box with take().
    explicit MovedWords(const std::vector<std::shared_ptr<litehtml::element>>& old);
    ~MovedWords();
    // Words cut from `box` since (the end of a paragraph an Enter splits
    // off, cut from its text before the run is written), of text `bytes`.
    void addCut(const std::shared_ptr<litehtml::element>& box, litehtml::elements_vector words, std::string bytes);
    MovedWords(const MovedWords&) = delete;
    MovedWords& operator=(const MovedWords&) = delete;

    // The words of a text (UTF-8, as the parser reads it) that stands in
    // `box`, in order; those made anew are made of `doc`, their styles
    // computed (in `box`, to which all of them belong after).
    litehtml::elements_vector wordsOf(litehtml::element& box, const std::string& text,
                                      litehtml::document_container& container,
                                      const std::shared_ptr<litehtml::document>& doc);
    // The words of `text` (UTF-8) as the parser makes them, appended to
    // `words` (each of `lengths` bytes, when asked), their styles not yet
    // computed.
    static void makeWords(litehtml::document_container& container, const std::shared_ptr<litehtml::document>& doc,
                          const char* text, litehtml::elements_vector& words, std::vector<size_t>* lengths = nullptr);
    // Takes the words given to new boxes out of their old ones.
    void take();
    // How many words were taken over.
    size_t taken() const { return m_taken; }

    // Texts shorter than this (in bytes) share too little to look for.
    static constexpr size_t kLeastShared = 256;
    // Texts of at least this many characters are left out of a run's text
    // and placed by their words.
    static constexpr size_t kLeftOutFrom = 2048;
    // While set (not 0), in place of both: tests take over the words of
    // every text.
    static std::atomic<size_t>& leastForTests()
    {
        static std::atomic<size_t> least{0};
        return least;
    }
    static size_t leastShared();
    static size_t leftOutFrom();

private:
    struct Old
    {
        litehtml::element* box = nullptr;
        const litehtml::elements_vector* words = nullptr; // the box's children, or the words cut
        bool cut = false;
        size_t first = 0; // its words among them
        size_t count = 0;
        std::string bytes;
        std::vector<size_t> ends; // where each word ends in `bytes`
        size_t front = 0;         // the words [0, front) are taken
        size_t back = 0;          // and those [back, count)
        size_t startOf(size_t word) const { return word == 0 ? 0 : ends[word - 1]; }
        // The word that begins at byte `at`; count + 1 when none does.
        size_t wordAt(size_t at) const;
    };
    void collect(litehtml::element& el);
    bool sameWords(const Old& old, litehtml::element& box) const;

    std::vector<Old> m_old;
    std::vector<std::unique_ptr<litehtml::elements_vector>> m_cut;
    std::vector<std::shared_ptr<litehtml::element>> m_boxesOfCut;
    size_t m_taken = 0;
};

} // namespace engine
