#pragma once
// The pages of render-demo. A page is a named sheet drawn on a bitmap; while drawing it names the
// boxes of what it shows, so that a test can look for colours, lines and faces in them.
#include <string>
#include <vector>

#include "platform/ui/Graphics.h"

struct TDemoBox {
  std::string Name;
  TRect Box;
};

struct TDemoPage {
  const char* Name;   // the picture is <Name>.png, its boxes <Name>.boxes
  Integer Width, Height;
  void (*Draw)(TCanvas* ACanvas, std::vector<TDemoBox>& ABoxes);
};

// Each kind of page adds its pages; RenderDemo.cpp asks every kind in turn.
void AddMarkupPages(std::vector<TDemoPage>& APages);
void AddPicturePages(std::vector<TDemoPage>& APages);
void AddSVGPages(std::vector<TDemoPage>& APages);
