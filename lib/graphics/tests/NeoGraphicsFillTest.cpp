// Fills, strokes, fonts and the saved state: colours, change notification, assignment,
// published defaults and persistence.
#include <cmath>
#include <limits>

#include "GraphicsTestSupport.h"
#include "lib/base/NeoObjectJSON.h"

TEST(NeoGraphicsFill, CreateStoresItsColourAsGivenAndTheDefaults) {
  TNeoGraphicsFill fill(gfkGradient, clNone);
  EXPECT_EQ(fill.GetKind(), gfkGradient);
  EXPECT_EQ(fill.GetColor(), clNone);   // untranslated
  EXPECT_EQ(fill.GetColorTo(), 0x808080);
  EXPECT_EQ(fill.GetColorMirror(), gcNull);
  EXPECT_EQ(fill.GetColorMirrorTo(), gcNull);
  EXPECT_EQ(fill.GetOrientation(), gfoVertical);
  EXPECT_EQ(fill.GetTextureMode(), gtmStretch);
  EXPECT_EQ(fill.GetGradientCenterColor(), gcNull);
  EXPECT_EQ(fill.GetGradientMatrix(), MatrixIdentity());
  EXPECT_FLOAT_EQ(fill.GetOpacity(), 1);
  EXPECT_EQ(fill.GetGradientItems()->GetCount(), 0);

  TNeoGraphicsStroke stroke;
  EXPECT_EQ(stroke.GetKind(), gskSolid);
  EXPECT_EQ(stroke.GetColor(), 0xC0C0C0);
  EXPECT_FLOAT_EQ(stroke.GetWidth(), 1);
}

TEST(NeoGraphicsFill, ColourSettersTranslateAfterComparingTheRawValue) {
  TNeoGraphicsFill fill;
  ChangeCounter changes;
  fill.OnChanged = changes.Handler();
  fill.SetColor(clNone);
  EXPECT_EQ(fill.GetColor(), gcNull);
  fill.SetColor(clNone);   // the stored -1 differs from the raw clNone: notifies again
  EXPECT_EQ(changes.Count, 2);
  fill.SetColor(gcNull);   // equal to the stored value
  EXPECT_EQ(changes.Count, 2);
  fill.SetColorTo(clDefault);
  EXPECT_EQ(fill.GetColorTo(), static_cast<TColor>(0xFF00000F));
  fill.SetColorMirror(0x00FF00);
  fill.SetColorMirrorTo(clNone);
  EXPECT_EQ(fill.GetColorMirrorTo(), gcNull);
  fill.SetGradientCenterColor(clNone);   // stored as given
  EXPECT_EQ(fill.GetGradientCenterColor(), clNone);
  EXPECT_EQ(changes.Count, 6);
  EXPECT_EQ(changes.LastSender, &fill);

  TNeoGraphicsStroke stroke;
  stroke.OnChanged = changes.Handler();
  stroke.SetColor(clDefault);
  EXPECT_EQ(stroke.GetColor(), clBtnFace);
  stroke.SetColor(clDefault);
  EXPECT_EQ(changes.Count, 8);
}

TEST(NeoGraphicsFill, SettersNotifyOnRealChangesAndNaNAlwaysChanges) {
  TNeoGraphicsFill fill;
  ChangeCounter changes;
  fill.OnChanged = changes.Handler();
  fill.SetKind(gfkSolid);
  fill.SetOpacity(1);
  fill.SetGradientAngle(0);
  EXPECT_EQ(changes.Count, 0);
  fill.SetKind(gfkGradient);
  fill.SetOrientation(gfoHorizontal);
  EXPECT_EQ(fill.GetGradientOrientation(), gfoHorizontal);
  fill.SetGradientType(gfgtRadial);
  fill.SetGradientMode(gfgmCollection);
  fill.SetTextureMode(gtmTile);
  EXPECT_EQ(changes.Count, 5);
  const Single nan = std::numeric_limits<Single>::quiet_NaN();
  fill.SetOpacity(nan);
  fill.SetOpacity(nan);
  EXPECT_TRUE(std::isnan(fill.GetOpacity()));
  EXPECT_EQ(changes.Count, 7);
  fill.SetGradientCenterPoint(PointF(0, 0));   // always notifies
  fill.SetGradientCenterPoint(PointF(0, 0));
  EXPECT_EQ(changes.Count, 9);
  fill.SetGradientMatrix(MatrixIdentity());
  EXPECT_EQ(changes.Count, 9);
  fill.SetGradientMatrix(MatrixCreateRotation(1));
  EXPECT_EQ(changes.Count, 10);

  TNeoGraphicsStroke stroke;
  stroke.OnChanged = changes.Handler();
  stroke.SetWidth(1);
  stroke.SetWidth(nan);
  stroke.SetWidth(nan);
  stroke.SetKind(gskDot);
  stroke.SetOpacity(0.5f);
  EXPECT_EQ(changes.Count, 14);
}

TEST(NeoGraphicsFill, UpdatesBatchTheNotifications) {
  TNeoGraphicsFill fill;
  ChangeCounter changes;
  fill.OnChanged = changes.Handler();
  fill.BeginUpdate();
  fill.SetColor(0x0000FF);
  fill.SetColorTo(0x00FF00);
  fill.AddGradientItem(0xFF0000, 0.5f, 1);
  EXPECT_EQ(changes.Count, 0);
  fill.EndUpdate();
  EXPECT_EQ(changes.Count, 1);

  TNeoGraphicsStroke stroke;
  stroke.OnChanged = changes.Handler();
  stroke.BeginUpdate();
  stroke.SetColor(1);
  stroke.SetWidth(2);
  stroke.SetKind(gskDash);
  stroke.EndUpdate();
  EXPECT_EQ(changes.Count, 2);

  TNeoGraphicsFont font;
  font.OnChanged = changes.Handler();
  font.BeginUpdate();
  font.SetName(u"DejaVu Sans");
  font.SetSize(14);
  font.SetColor(clRed);
  font.EndUpdate();
  EXPECT_EQ(changes.Count, 3);
  font.SetStyle({fsBold});   // the font's own change event reaches OnChanged
  EXPECT_EQ(changes.Count, 4);
}

TEST(NeoGraphicsFill, GradientItemsNotifyTheirFill) {
  TNeoGraphicsFill fill;
  TNeoGraphicsFillGradientItem* item = fill.AddGradientItem(0x112233, 0.25f, 0.5f);
  EXPECT_EQ(item->GetColor(), 0x112233);
  EXPECT_FLOAT_EQ(item->GetPosition(), 0.25f);
  EXPECT_FLOAT_EQ(item->GetOpacity(), 0.5f);
  ChangeCounter changes;
  fill.OnChanged = changes.Handler();
  item->SetPosition(0.75f);
  EXPECT_EQ(changes.Count, 1);
  EXPECT_EQ(changes.LastSender, &fill);
  item->SetPosition(0.75f);
  item->SetColor(clNone);   // stored as given
  EXPECT_EQ(item->GetColor(), clNone);
  EXPECT_EQ(changes.Count, 2);

  fill.BeginUpdate();
  item->SetOpacity(0.1f);
  EXPECT_EQ(changes.Count, 2);
  fill.EndUpdate();
  EXPECT_EQ(changes.Count, 3);

  // The typed enumeration walks the items in order.
  fill.AddGradientItem(0x445566, 1, 1);   // added, colour, position: the opacity stays 1
  EXPECT_EQ(changes.Count, 6);
  auto e = fill.GetGradientItems()->GetEnumerator();
  std::vector<TColor> colors;
  while (e.MoveNext()) colors.push_back(e.Current()->GetColor());
  EXPECT_EQ(colors, (std::vector<TColor>{clNone, 0x445566}));
  fill.ClearGradientItems();
  EXPECT_EQ(fill.GetGradientItems()->GetCount(), 0);
  EXPECT_EQ(changes.Count, 7);
}

TEST(NeoGraphicsFill, AssignCopiesEverythingIncludingTheMatrix) {
  TNeoGraphicsFill source(gfkGradient, 0x0000FF);
  source.SetColorTo(0x00FF00);
  source.SetColorMirror(0x111111);
  source.SetColorMirrorTo(0x222222);
  source.SetOrientation(gfoCustom);
  source.SetOpacity(0.5f);
  source.GetTexture()->LoadFromFile(TestData("quad.png"));
  source.SetTextureMode(gtmCenter);
  source.SetGradientMode(gfgmCollection);
  source.SetGradientAngle(45);
  source.SetGradientCenterPoint(PointF(3, 4));
  source.AddGradientItem(0x333333, 0.5f, 0.25f);
  source.SetGradientType(gfgtRadial);
  source.SetGradientCenterColor(0x444444);
  source.SetGradientMatrix(MatrixCreateScaling(2, 3));

  TNeoGraphicsFill copy;
  ChangeCounter changes;
  copy.OnChanged = changes.Handler();
  copy.Assign(&source);
  EXPECT_EQ(changes.Count, 1);
  EXPECT_EQ(copy.GetKind(), gfkGradient);
  EXPECT_EQ(copy.GetColor(), 0x0000FF);
  EXPECT_EQ(copy.GetColorTo(), 0x00FF00);
  EXPECT_EQ(copy.GetColorMirror(), 0x111111);
  EXPECT_EQ(copy.GetColorMirrorTo(), 0x222222);
  EXPECT_EQ(copy.GetOrientation(), gfoCustom);
  EXPECT_FLOAT_EQ(copy.GetOpacity(), 0.5f);
  EXPECT_EQ(copy.GetTexture()->GetWidth(), 16);
  EXPECT_EQ(copy.GetTextureMode(), gtmCenter);
  EXPECT_EQ(copy.GetGradientMode(), gfgmCollection);
  EXPECT_FLOAT_EQ(copy.GetGradientAngle(), 45);
  EXPECT_EQ(copy.GetGradientCenterPoint(), PointF(3, 4));
  ASSERT_EQ(copy.GetGradientItems()->GetCount(), 1);
  EXPECT_FLOAT_EQ(copy.GetGradientItems()->GetItemEx(0)->GetOpacity(), 0.25f);
  EXPECT_EQ(copy.GetGradientType(), gfgtRadial);
  EXPECT_EQ(copy.GetGradientCenterColor(), 0x444444);
  EXPECT_EQ(copy.GetGradientMatrix(), MatrixCreateScaling(2, 3));

  // A stroke gives a solid vertical fill of its colour.
  TNeoGraphicsStroke stroke(gskDash, 0x0000FF);
  stroke.SetOpacity(0.3f);
  copy.Assign(&stroke);
  EXPECT_EQ(copy.GetKind(), gfkSolid);
  EXPECT_EQ(copy.GetColor(), 0x0000FF);
  EXPECT_EQ(copy.GetColorTo(), gcNull);
  EXPECT_EQ(copy.GetColorMirror(), gcNull);
  EXPECT_EQ(copy.GetColorMirrorTo(), gcNull);
  EXPECT_EQ(copy.GetOrientation(), gfoVertical);
  EXPECT_FLOAT_EQ(copy.GetOpacity(), 1);
  EXPECT_EQ(changes.Count, 2);
  // Any other source copies nothing but still notifies.
  TNeoGraphicsFont font;
  copy.Assign(&font);
  EXPECT_EQ(copy.GetColor(), 0x0000FF);
  EXPECT_EQ(changes.Count, 3);
}

TEST(NeoGraphicsFill, StrokeAndFontAssignment) {
  TNeoGraphicsStroke stroke;
  ChangeCounter changes;
  stroke.OnChanged = changes.Handler();
  TNeoGraphicsStroke other(gskDashDot, 0x123456);
  other.SetWidth(3);
  other.SetOpacity(0.5f);
  stroke.Assign(&other);
  EXPECT_EQ(stroke.GetKind(), gskDashDot);
  EXPECT_EQ(stroke.GetColor(), 0x123456);
  EXPECT_FLOAT_EQ(stroke.GetWidth(), 3);
  EXPECT_FLOAT_EQ(stroke.GetOpacity(), 0.5f);
  TNeoGraphicsFill fill(gfkGradient, 0x00FF00);
  stroke.Assign(&fill);
  EXPECT_EQ(stroke.GetKind(), gskSolid);
  EXPECT_EQ(stroke.GetColor(), 0x00FF00);
  EXPECT_FLOAT_EQ(stroke.GetWidth(), 1);
  EXPECT_FLOAT_EQ(stroke.GetOpacity(), 1);
  EXPECT_EQ(changes.Count, 2);

  TNeoGraphicsFont font;
  font.OnChanged = changes.Handler();
  TFont plain;
  plain.SetName(u"DejaVu Serif");
  plain.SetStyle({fsItalic});
  font.AssignSource(&plain);
  EXPECT_EQ(font.GetName(), u"DejaVu Serif");
  EXPECT_EQ(font.GetStyle(), TFontStyles{fsItalic});
  EXPECT_EQ(changes.Count, 3);

  TNeoGraphicsSaveState state;
  EXPECT_EQ(state.GetFill()->GetColor(), 0xFFFFFF);
  EXPECT_EQ(state.GetStroke()->GetColor(), 0xC0C0C0);
  state.SetFont(&font);
  state.SetStroke(&other);
  state.SetFill(&fill);
  state.SetSaveDC(3);
  state.SetCustomSaveDC(4);
  EXPECT_EQ(state.GetFont()->GetName(), u"DejaVu Serif");
  EXPECT_EQ(state.GetStroke()->GetKind(), gskDashDot);
  EXPECT_EQ(state.GetFill()->GetKind(), gfkGradient);
  EXPECT_NE(state.GetFill(), &fill);
  EXPECT_EQ(state.GetSaveDC() + state.GetCustomSaveDC(), 7);
}

class NeoGraphicsFillPersistence : public GraphicsUnitsSuite {};

TEST_F(NeoGraphicsFillPersistence, DefaultsAreNotWritten) {
  auto has = [](const String& json, const char16_t* name) { return json.find(u"\"" + String(name) + u"\":") != String::npos; };
  TNeoGraphicsFill fill;
  String json = TObjectJSONHelper::ToJSON(&fill);
  for (const char16_t* name : {u"Kind", u"Orientation", u"GradientOrientation", u"Color", u"ColorTo", u"ColorMirror",
                               u"ColorMirrorTo", u"TextureMode", u"Opacity", u"GradientAngle", u"GradientType",
                               u"GradientMode", u"GradientCenterColor"})
    EXPECT_FALSE(has(json, name)) << UTF8Encode(name) << " in " << UTF8Encode(json);
  EXPECT_TRUE(has(json, u"GradientItems"));
  fill.SetColor(0x0000FF);
  fill.SetOpacity(0.5f);
  fill.SetColorMirror(clNone);
  json = TObjectJSONHelper::ToJSON(&fill);
  EXPECT_TRUE(has(json, u"Color"));
  EXPECT_TRUE(has(json, u"Opacity"));
  EXPECT_FALSE(has(json, u"ColorMirror"));   // clNone is stored as the default gcNull

  TNeoGraphicsStroke stroke(gskSolid, 0xC0C0C0);
  json = TObjectJSONHelper::ToJSON(&stroke);
  EXPECT_FALSE(has(json, u"Width"));
  EXPECT_FALSE(has(json, u"Opacity"));
  EXPECT_FALSE(has(json, u"Kind"));
  stroke.SetWidth(2);
  EXPECT_TRUE(has(TObjectJSONHelper::ToJSON(&stroke), u"Width"));

  TNeoGraphicsFill withItem;
  withItem.AddGradientItem(0xFFFFFF, 0, 1);
  json = TObjectJSONHelper::ToJSON(&withItem);
  EXPECT_FALSE(has(json, u"Position"));
  EXPECT_FALSE(has(json, u"Opacity"));
  withItem.GetGradientItems()->GetItemEx(0)->SetPosition(0.5f);
  EXPECT_TRUE(has(TObjectJSONHelper::ToJSON(&withItem), u"Position"));

  // A document that leaves a property out leaves it as it is; excluded properties are neither
  // written nor read.
  TNeoGraphicsStroke target(gskDot, 0x123456);
  TObjectJSONHelper::FromJSON(&target, u"{\"Width\":3,\"Color\":\"#FF0000\"}");
  EXPECT_EQ(target.GetKind(), gskDot);
  EXPECT_EQ(target.GetColor(), 0x0000FF);
  EXPECT_FLOAT_EQ(target.GetWidth(), 3);
  EXPECT_FALSE(has(TObjectJSONHelper::ToJSON(&target, {u"Width"}), u"Width"));
  TNeoPersistence::ExcludeProperties.clear();
}

TEST_F(NeoGraphicsFillPersistence, FillStrokeAndFontRoundTrip) {
  TNeoGraphicsFill fill(gfkGradient, 0x0000FF);
  fill.SetColorTo(gcNull);
  fill.SetOpacity(0.75f);
  fill.SetGradientAngle(30);
  fill.SetGradientType(gfgtRadial);
  fill.AddGradientItem(0x111111, 0, 1);
  fill.AddGradientItem(0x222222, 0.5f, 0.5f);
  fill.AddGradientItem(0x333333, 1, 0.25f);
  fill.GetTexture()->LoadFromFile(TestData("quad.png"));
  TNeoGraphicsFill fillBack;
  TObjectJSONHelper::FromJSON(&fillBack, TObjectJSONHelper::ToJSON(&fill));
  EXPECT_EQ(fillBack.GetKind(), gfkGradient);
  EXPECT_EQ(fillBack.GetColor(), 0x0000FF);
  EXPECT_EQ(fillBack.GetColorTo(), gcNull);
  EXPECT_FLOAT_EQ(fillBack.GetOpacity(), 0.75f);
  EXPECT_FLOAT_EQ(fillBack.GetGradientAngle(), 30);
  EXPECT_EQ(fillBack.GetGradientType(), gfgtRadial);
  ASSERT_EQ(fillBack.GetGradientItems()->GetCount(), 3);
  EXPECT_EQ(fillBack.GetGradientItems()->GetItemEx(1)->GetColor(), 0x222222);
  EXPECT_FLOAT_EQ(fillBack.GetGradientItems()->GetItemEx(2)->GetOpacity(), 0.25f);
  EXPECT_FLOAT_EQ(fillBack.GetGradientItems()->GetItemEx(2)->GetPosition(), 1);
  EXPECT_EQ(fillBack.GetTexture()->GetWidth(), 16);
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&fillBack), TObjectJSONHelper::ToJSON(&fill));

  TNeoGraphicsStroke stroke(gskDashDotDot, 0x00FF00);
  stroke.SetWidth(2.5f);
  TNeoGraphicsStroke strokeBack;
  TObjectJSONHelper::FromJSON(&strokeBack, TObjectJSONHelper::ToJSON(&stroke));
  EXPECT_EQ(strokeBack.GetKind(), gskDashDotDot);
  EXPECT_EQ(strokeBack.GetColor(), 0x00FF00);
  EXPECT_FLOAT_EQ(strokeBack.GetWidth(), 2.5f);

  TNeoGraphicsFont font;
  font.SetName(u"DejaVu Sans");
  font.SetSize(13);
  font.SetStyle({fsBold, fsUnderline});
  font.SetColor(0x0000FF);
  TNeoGraphicsFont fontBack;
  TObjectJSONHelper::FromJSON(&fontBack, TObjectJSONHelper::ToJSON(&font));
  EXPECT_EQ(fontBack.GetName(), u"DejaVu Sans");
  EXPECT_EQ(fontBack.GetSize(), 13);
  EXPECT_EQ(fontBack.GetStyle(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(fontBack.GetColor(), 0x0000FF);
}
