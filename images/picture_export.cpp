// Writing a stored picture out as program source text that rebuilds it: form 1
// declares and fills an array, form 2 writes a whole drawing function.
#include <cstdio>
#include <string>

#include "images/library_state.h"

namespace ivxfiles {

using namespace detail;

namespace {

class LineWriter {
 public:
  explicit LineWriter(std::FILE* file) : file_(file) {}
  ~LineWriter() { Flush(); }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  // False once any line could not be written.
  bool Written() {
    Flush();
    return written_;
  }
  void Line(const std::string& text) {
    buffer_ += text;
    buffer_ += '\n';
    if (buffer_.size() >= 65536) Flush();
  }

 private:
  void Flush() {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) written_ = false;
    buffer_.clear();
  }
  std::FILE* file_;
  std::string buffer_;
  bool written_ = true;
};

std::string Signed(Colour c) { return std::to_string(static_cast<int32_t>(c)); }

}  // namespace

bool ExportPictureSource(const std::string& name, const std::string& fileName, const std::string& arrayName,
                         Colour defaultColour, int32_t form) {
  SelectPicture(name);
  std::FILE* file = std::fopen(NativePath(fileName).c_str(), "wb");
  if (file == nullptr) return false;
  bool written = false;
  {
    LineWriter out(file);
    const LibraryState& s = State();
    const int64_t x1 = s.left, y1 = s.top;
    const std::string w = std::to_string(static_cast<int64_t>(s.right) - x1 + 1);
    const std::string h = std::to_string(static_cast<int64_t>(s.bottom) - y1 + 1);
    const std::string fill = Signed(defaultColour);
    // Only cells inside the store are written out.
    const Span cols = ClipSpan(x1 + 1, static_cast<int64_t>(s.right) + 1, STORE_WIDTH);
    const Span rows = ClipSpan(y1 + 1, static_cast<int64_t>(s.bottom) + 1, STORE_HEIGHT);
    auto forEachOtherCell = [&](auto write) {
      for (int64_t c = cols.first; c <= cols.last; ++c) {
        for (int64_t r = rows.first; r <= rows.last; ++r) {
          const Colour cell = Cell(c, r);
          if (cell != defaultColour) write(c - x1, r - y1, cell);
        }
      }
    };
    if (form == 1) {
      out.Line("var");
      out.Line(arrayName + ":array[1.." + w + ",1.." + h + "] of integer;");
      out.Line("for x:=1 to " + w + " do ");
      out.Line(" for y:=1 to " + h + " do " + arrayName + "[x,y]:=" + fill + ";");
      forEachOtherCell([&](int64_t i, int64_t j, Colour cell) {
        out.Line(arrayName + "[" + std::to_string(i) + "," + std::to_string(j) + "]:=" + Signed(cell) + ";");
      });
    } else if (form == 2) {
      const std::string w1 = std::to_string(static_cast<int64_t>(s.right) - x1 + 2);
      const std::string h1 = std::to_string(static_cast<int64_t>(s.bottom) - y1 + 2);
      out.Line("//using namespace std;");
      out.Line("void draw_logo(int xdraw,int ydraw) {");
      out.Line("int " + arrayName + "[" + w1 + "][" + h1 + "];");
      out.Line("for (int x=0; x<" + w + "; x++) { ");
      out.Line(" for (int y=0; y<" + h + "; y++) { " + arrayName + "[x][y]=" + fill + "; }");
      out.Line(std::string(34, ' ') + "}  ");
      forEachOtherCell([&](int64_t i, int64_t j, Colour cell) {
        out.Line(arrayName + "[" + std::to_string(i - 1) + "][" + std::to_string(j - 1) + "]=" + Signed(cell) + ";");
      });
      out.Line("for (int x=xdraw; x<xdraw+" + w + "; x++) { ");
      out.Line(" for (int y=ydraw; y<ydraw+" + h + "; y++) { PutPixel(x,y," + arrayName + "[x-xdraw][y-ydraw]); }");
      out.Line(std::string(46, ' ') + "}  ");
      out.Line("}");
    }
    written = out.Written();
  }
  // A full disk may show only when the buffer goes out at the close.
  return std::fclose(file) == 0 && written;
}

}  // namespace ivxfiles
