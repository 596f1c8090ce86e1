// ToAscii under the US and the German layout (without dead keys): letters with Shift and Caps
// Lock, digits, the keypad, the OEM keys and AltGr; and TranslateMessage typing by the layout.
#include "WinTestSupport.h"

namespace {

struct TKeyCase {
  const char* Klid;
  UINT Vk;
  bool Shift, Caps, AltGr;
  Char Want;   // 0: the key types nothing ToAscii can give
};

class KeyboardLayout : public WinTest {
protected:
  void TearDown() override {
    Headless::SetKeyboardLayout("00000409");
    WinTest::TearDown();
  }
};

}  // namespace

TEST_F(KeyboardLayout, ToAsciiFollowsTheLayout) {
  const char* us = "00000409";
  const char* de = "00000407";
  const TKeyCase cases[] = {
      {us, 'A', false, false, false, u'a'},        {us, 'A', true, false, false, u'A'},
      {us, 'A', false, true, false, u'A'},         {us, 'A', true, true, false, u'a'},
      {de, 'Z', false, false, false, u'z'},        {de, 'Y', true, false, false, u'Y'},
      {us, '2', false, false, false, u'2'},        {us, '2', true, false, false, u'@'},
      {de, '2', true, false, false, u'"'},         {de, '3', true, false, false, u'\u00A7'},
      {de, '7', true, false, false, u'/'},         {de, '0', true, false, false, u'='},
      {us, '3', false, true, false, u'3'},         {de, '3', false, true, false, u'3'},
      {us, VK_NUMPAD7, false, false, false, u'7'}, {de, VK_NUMPAD7, false, false, false, u'7'},
      {us, VK_DECIMAL, false, false, false, u'.'}, {de, VK_DECIMAL, false, false, false, u','},
      {us, VK_MULTIPLY, false, false, false, u'*'}, {de, VK_ADD, false, false, false, u'+'},
      {us, VK_OEM_1, false, false, false, u';'},   {de, VK_OEM_1, false, false, false, u'\u00FC'},
      {de, VK_OEM_1, false, true, false, u'\u00DC'}, {de, VK_OEM_3, true, false, false, u'\u00D6'},
      {de, VK_OEM_7, false, false, false, u'\u00E4'}, {de, VK_OEM_4, false, false, false, u'\u00DF'},
      {de, VK_OEM_4, true, false, false, u'?'},    {us, VK_OEM_4, false, false, false, u'['},
      {de, VK_OEM_PLUS, true, false, false, u'*'}, {us, VK_OEM_PLUS, true, false, false, u'+'},
      {de, VK_OEM_2, false, false, false, u'#'},   {de, VK_OEM_PERIOD, true, false, false, u':'},
      {de, VK_OEM_102, true, false, false, u'>'},  {de, VK_OEM_5, false, false, false, 0},
      {de, 'Q', false, false, true, u'@'},         {de, '8', false, false, true, u'['},
      {de, VK_OEM_4, false, false, true, u'\\'},   {de, 'E', false, false, true, 0},
      {us, 'Q', false, false, true, 0},
  };
  for (const TKeyCase& c : cases) {
    SCOPED_TRACE(std::string(c.Klid) + " vk " + std::to_string(c.Vk) + (c.Shift ? " shift" : "") +
                 (c.Caps ? " caps" : "") + (c.AltGr ? " altgr" : ""));
    ASSERT_TRUE(Headless::SetKeyboardLayout(c.Klid));
    BYTE state[256] = {};
    if (c.Shift) state[VK_SHIFT] = 0x80;
    if (c.Caps) state[VK_CAPITAL] = 0x01;
    if (c.AltGr) state[VK_CONTROL] = state[VK_MENU] = 0x80;
    WORD ch = 0;
    const int n = ToAscii(c.Vk, MapVirtualKey(c.Vk, MAPVK_VK_TO_VSC), state, &ch, 0);
    EXPECT_EQ(n, c.Want ? 1 : 0);
    if (c.Want) {
      EXPECT_EQ(ch, c.Want);
    }
  }
  EXPECT_FALSE(Headless::SetKeyboardLayout("0000040C"));
}

// A key pressed under the German layout types the German character into the focused window.
TEST_F(KeyboardLayout, TranslateMessageTypesByTheLayout) {
  ASSERT_TRUE(Headless::SetKeyboardLayout("00000407"));
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  SetFocus(w);
  Log().clear();
  Headless::KeyPress(VK_OEM_7);
  Headless::KeyDown(VK_SHIFT);
  Headless::KeyPress('3');
  Headless::KeyUp(VK_SHIFT);
  Headless::RunUntilIdle();
  std::vector<WPARAM> chars;
  for (const TLogged& e : Only({WM_CHAR})) chars.push_back(e.WParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{0xE4, 0xA7}));
}
