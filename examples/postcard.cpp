// postcard PICTURES OUT.ppm: a postcard made with VORN2112's modules, without
// a display. It loads the demo's moor, letter V and font from the folder
// PICTURES (installed as /usr/share/games/vorn2112), writes a greeting in
// raster-bar colours, lets a scroller run a while, and saves a P6 picture.
#include <cstdio>
#include <string>

#include "img/img.h"
#include "raster/raster.h"
#include "text/font.h"
#include "text/scroll.h"

namespace {

constexpr int32_t cardWidth = 320, cardHeight = 200;

// The greeting, each row of its glyphs in the colour of one bar.
void drawGreeting(const Font *font, Image *card) {
  static uint32_t colours[] = {0xB01010, 0xD04010, 0xF0F010, 0x50F010,
                               0x10E0E0, 0x1050F0, 0x5020F0, 0xF010F0};
  Raster bars = {8, 0, colours};  // over our own table: never RASTERFree'd
  Image *text = IMGMake(cardWidth, 8), *tint = IMGMake(cardWidth, 8);
  FONTDrawLine(font, "GREETINGS FROM VORN2112", 68, 0, text);
  RASTERDraw(&bars, tint);
  for (int32_t i = 0; i < cardWidth * 8; ++i) text->pixels[i] &= tint->pixels[i];
  IMGBlit(text, card, 0, 0, 0, 16, cardWidth, 8);
  IMGFree(&text);
  IMGFree(&tint);
}

// A line of text after 100 steps of a scroller, on the bottom rows.
void drawScrolledLine(Font *font, Image *card) {
  Image *strip = IMGMake(cardWidth, 8);
  Scroller *scroller = SCROLLNew();
  SCROLLSet(scroller, "              THE IMAGE CORE, A FONT, A SCROLLER AND RASTER BARS ", font,
            strip);
  scroller->width = cardWidth;
  for (int step = 0; step < 100; ++step) SCROLLAdvance(scroller);
  SCROLLDraw(scroller);
  IMGBlit(strip, card, 0, 0, 0, cardHeight - 12, cardWidth, 8);
  SCROLLFree(&scroller);  // the font and the strip stay ours
  IMGFree(&strip);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fputs("usage: postcard PICTURES OUT.ppm\n", stderr);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  Image *moor = IMGLoad((folder + "vorn-fernmoor.ppm").c_str());
  Image *letter = IMGLoad((folder + "V.ppm").c_str());
  Font *font = FONTNew();
  if (font == nullptr) return 1;
  font->width = font->height = 8;
  font->sheet = IMGLoad((folder + "font8x8.pbm").c_str());
  int status = 1;
  if (moor == nullptr || letter == nullptr || font->sheet == nullptr) {
    std::fprintf(stderr, "postcard: cannot load the pictures in '%s'\n", argv[1]);
  } else {
    Image *card = IMGMake(cardWidth, cardHeight);
    Image *wide = IMGScale(moor, cardWidth, cardHeight / 2);
    IMGBlit(wide, card, 0, 0, 0, 40, cardWidth, cardHeight / 2);
    IMGBlit(letter, card, 0, 0, cardWidth - letter->width - 8, 60, letter->width, letter->height);
    drawGreeting(font, card);
    drawScrolledLine(font, card);
    if (IMGSave(card, argv[2]))
      status = 0;
    else
      std::fprintf(stderr, "postcard: cannot write '%s'\n", argv[2]);
    IMGFree(&wide);
    IMGFree(&card);
  }
  if (moor != nullptr) IMGFree(&moor);
  if (letter != nullptr) IMGFree(&letter);
  FONTFree(&font);  // and its sheet
  return status;
}
