// "nodes.txt" (a three-line summary of every search) and "nodes.html" (the upper
// levels of the tree drawn as boxes by a page script).  A file that cannot be
// opened is skipped: the dumps never stop a search.  The failures are noted so
// that NodeTree, which exists to write them, does not claim it did.
#include <fstream>
#include <string>

#include "nodestore.h"
#include "search.h"

namespace trivane {

namespace {

const char* const SUMMARY_FILE = "nodes.txt";
const char* const PAGE_FILE = "nodes.html";
const char* const AT_SIGNS = ".. @@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@\n";

std::string N(int64_t v) { return std::to_string(v); }

// Notes a file that did not take its text (opening, writing or closing).
void Close(std::ofstream& out, uint8_t& failed) {
  out.close();
  if (!out) failed = 1;
}

}  // namespace

void ResetDumpFailures() {
  g_search.summary_failed = 0;
  g_search.page_failed = 0;
}
bool SummaryWriteFailed() { return g_search.summary_failed != 0; }
bool PageWriteFailed() { return g_search.page_failed != 0; }

void TruncateSummary() {
  std::ofstream out(SUMMARY_FILE, std::ios::out | std::ios::trunc | std::ios::binary);
  Close(out, g_search.summary_failed);
}

void WriteSummaryAfterWalk() {
  std::ofstream out(SUMMARY_FILE, std::ios::out | std::ios::app | std::ios::binary);
  if (!out) {
    g_search.summary_failed = 1;
    return;
  }
  out << "Create Ended @ " << N(g_search.cursor) << " with stack size " << N(g_search.count) << "/ peek "
      << "0" << AT_SIGNS;
  out << "Fathers best choice leads to " << N(g_search.nodes[0].value) << AT_SIGNS;
  Close(out, g_search.summary_failed);
}

void WriteFinalChoice(const ChosenMove& move) {
  std::ofstream out(SUMMARY_FILE, std::ios::out | std::ios::app | std::ios::binary);
  if (!out) {
    g_search.summary_failed = 1;
    return;
  }
  out << "Finally choose " << N(move.from[0]) << "," << N(move.from[1]) << " - " << N(move.to[0]) << ","
      << N(move.to[1]) << " with score " << N(move.value);
  Close(out, g_search.summary_failed);
}

void WriteNodesHtml() {
  std::ofstream out(PAGE_FILE, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out) {
    g_search.page_failed = 1;
    return;
  }
  out << "<html>\n"
      << "<head>\n"
      << "<script type=\"text/javascript\" src=\"kq_jsgraphics.js\"></script>\n"
      << "<script type=\"text/javascript\">\n"
      << "<!--\n"
      << "var jg = new jsGraphics();\n"
      << "jg.setColor(\"#ff0000\"); // red\n";

  // Three levels at most: a deeper tree would make a page of millions of boxes.
  // A setting of 0 has no row height to divide by, so the page gets no rows.
  const int64_t levels = GetDifficulty() < 3 ? GetDifficulty() : 3;
  if (levels > 0) {
    const int64_t row_height = 700 / levels;
    int64_t pitch = 0;
    for (int64_t d = levels; d >= 1; --d) {
      int64_t n = 0;
      for (uint32_t j = g_search.count; j >= 1; --j)
        if (g_search.nodes[j].depth == static_cast<uint32_t>(d)) ++n;
      if (n != 0) pitch = 10000 / n;
      const int64_t top = d == 1 ? 0 : 700 - ((levels - d) + 1) * (row_height + 5);
      int64_t k = 0;
      for (uint32_t j = g_search.count; j >= 1; --j) {
        const SearchNode& r = g_search.nodes[j];
        if (r.depth != static_cast<uint32_t>(d)) continue;
        ++k;
        const int64_t left = (n - k) * pitch;
        out << "jg.drawRect(" << N(left) << "," << N(top) << "," << N(pitch - 2) << "," << N(row_height - 20)
            << ");\n";
        out << "jg.drawStringRect(\"" << N(j) << "<br>" << N(r.from_x) << "," << N(r.from_y) << " - " << N(r.to_x)
            << "," << N(r.to_y) << "<br>"
            << "Val=" << N(r.value) << "<br>"
            << "Father=" << N(r.father) << "<br>"
            << "Depth=" << N(r.depth) << "<br>"
            << "Type=" << N(r.move_type) << "<br>" << (r.is_max == 1 ? "MAX<br>" : "MIN<br>") << "\"," << N(left)
            << "," << N(top) << "," << N(pitch - 2) << ",\"left\");\n";
      }
      out << "jg.paint();\n";
    }
  }
  out << "//-->\n"
      << "</script>\n"
      << "</head>\n"
      << "<body>\n"
      << "</body>\n"
      << "</html>\n";
  Close(out, g_search.page_failed);
}

}  // namespace trivane
