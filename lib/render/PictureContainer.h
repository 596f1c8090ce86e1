#pragma once
// The pictures markup text refers to: THTMLPicture (raster image bytes drawn through GDI+, the
// selected frame of an animated GIF, or an SVG document through its base class), the URL cache of
// the markup engine, and TPictureContainer, a component holding named pictures that markup tags and
// the graphics facade look up by name.
#include <atomic>
#include <functional>
#include <memory>

#include "lib/render/NeoSVGBitmap.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Threads.h"
#include "platform/ui/Controls.h"

class THTMLPicture;

// Download events: declared for the published interface, never fired (nothing is downloaded).
using TDownloadProgressEvent = std::function<void(TObject* Sender, Cardinal dwSize, Cardinal dwTotSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const String& ErrorMsg)>;

// Started for a URL that is neither a resource nor a file. It downloads nothing (markup text
// never reaches the network); when it ends it clears the picture's busy flag, which it shares so
// that a picture freed first is never touched.
class TDownLoadThread : public TThread {
  ZELK_CLASS(TDownLoadThread, TThread)
public:
  TDownLoadThread(THTMLPicture* APicture, std::shared_ptr<std::atomic<bool>> ABusy);
  ~TDownLoadThread() override;

  THTMLPicture* HTMLPicture = nullptr;   // not owned, not touched by the thread

protected:
  void Execute() override {}

private:
  std::shared_ptr<std::atomic<bool>> FBusy;
};

class THTMLPicture : public TNeoSVGBitmap {
  ZELK_CLASS(THTMLPicture, TNeoSVGBitmap)
public:
  THTMLPicture();
  ~THTMLPicture() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  // Also empty when raster data was loaded that no decoder reads.
  bool GetEmpty() override;
  Integer GetWidth() override;
  Integer GetHeight() override;
  // Raster form data: the bytes (no length); SVG: the base's form data.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;
  // The size follows the data: setting it does nothing.
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  // Every error is swallowed; the picture is then empty.
  void LoadFromFile(const String& FileName) override;
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void LoadFromClipboardFormat(Word, HANDLE, HPALETTE) {}
  void SaveToClipboardFormat(Word&, HANDLE&, HPALETTE&) {}

  // Draws the SVG natively into (X, Y, X + W, Y + H); nothing for raster data.
  virtual void DrawSVG(TCanvas* ACanvas, Single X, Single Y, Single W, Single H);

  // The RCDATA resource of that name, when there is one.
  void LoadFromResourceName(const void* Instance, const String& ResName);
  // The RCDATA resource of that number; EResNotFound when there is none.
  void LoadFromResourceID(const void* Instance, Integer ResID);
  // "res://name" and "file://path" (the prefixes in any case) load; other URLs only record the
  // URL (Asynch false) or start a download thread (Asynch true, when not busy).
  void LoadFromURL(const String& url);

  bool GetStretch() const { return FStretched; }
  void SetStretch(bool Value) { FStretched = Value; }
  Integer GetFrame() const { return FFrame; }
  // The frame (from 1); with data, the frame is selected and OnFrameChange fires.
  void SetFrame(Integer Value);
  bool GetBusy() const { return FThreadBusy->load(); }
  bool GetAsynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  const String& GetID() const { return FID; }
  void SetID(const String& Value) { FID = Value; }
  const String& GetURL() const { return FURL; }
  bool GetIsDB() const { return FIsDB; }
  void SetIsDB(bool Value) { FIsDB = Value; }

  // The data begins with "GIF8" (at least 5 bytes).
  bool IsGIF() const;
  // Graphic control extensions directly followed by an image descriptor; -1 when not a GIF.
  Integer GetFrameCount();
  // Delay of frame i (from 1) in hundredths; also its transparency and disposal. -1 when there
  // is no such frame.
  Integer GetFrameTime(Integer i);
  Integer GetMaxWidth() { return GetWidth(); }
  Integer GetMaxHeight() { return GetHeight(); }
  Word GetFrameXPos() const { return FFrameXPos; }
  Word GetFrameYPos() const { return FFrameYPos; }
  Word GetFrameXSize() const { return FFrameXSize; }
  Word GetFrameYSize() const { return FFrameYSize; }
  bool GetFrameTransp() const { return FFrameTransp; }
  Word GetFrameDisposal() const { return FFrameDisposal; }
  Word GetAnimMaxX() const { return FAnimMaxX; }
  Word GetAnimMaxY() const { return FAnimMaxY; }

  // The next frame, after the last the first; the previous, before the first the last.
  void FrameNext();
  void FramePrev();
  // One timer tick of 100 ms; true when the frame advanced.
  bool Step();

  // The raster bytes.
  TMemoryStream* GetDataStream() const { return FDatastream.get(); }

  TNotifyEvent OnFrameChange;
  TDownloadProgressEvent OnDownLoadProgress;
  TDownloadCancelEvent OnDownLoadCancel;
  TDownloadCompleteEvent OnDownLoadComplete;
  TDownloadErrorEvent OnDownLoadError;

protected:
  // Quiet while a load is under way, so that one load signals one change.
  void Changed(TObject* Sender) override;

private:
  struct TDecoded;
  // Empties the data, the SVG and the frame bookkeeping (frame 1).
  void Reset();
  void ClearSVG();
  // Loads the stream (from its start) as raster data or as SVG, form data or not.
  void LoadContent(TStream* Stream, bool AFormData);
  // Decodes the data once (until it changes) and selects the frame.
  void LoadPicture();
  // The frame's fields and the decoder's frame from FFrame.
  void SelectFrame();
  // Position of the graphic control extension of frame i (from 1); -1 when none.
  Int64 FramePosition(Integer i) const;

  std::unique_ptr<TMemoryStream> FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  String FURL;
  String FID;
  Integer FHeight = 0;
  Integer FWidth = 0;
  bool FIsDB = false;
  bool FAsynch = true;
  std::shared_ptr<std::atomic<bool>> FThreadBusy;
  Integer FFrame = 1;
  Integer FFrameCount = -1;
  Word FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
  bool FFrameTransp = true;
  Word FFrameDisposal = 0;
  Word FAnimMaxX = 0, FAnimMaxY = 0;
  Integer FNextCount = -1;
  Integer FTimerCount = -1;
  std::unique_ptr<TDecoded> FDecoded;
  Integer FQuiet = 0;
};

// Pictures loaded by URL for the markup engine, owned by the cache.
class THTMLPictureCache : public TList {
  ZELK_CLASS(THTMLPictureCache, TList)
public:
  THTMLPictureCache() = default;
  ~THTMLPictureCache() override;

  THTMLPicture* AddPicture();
  // The first picture whose ID is exactly ID; nullptr when none.
  THTMLPicture* FindPicture(const String& ID) const;
  void ClearPictures();
  // Steps every picture; true when any advanced.
  bool Animate();
  THTMLPicture* GetItems(Integer Index) const { return static_cast<THTMLPicture*>(TList::GetItems(Index)); }
  // The cache takes Value over; the picture it replaces is freed.
  void SetItems(Integer Index, THTMLPicture* Value);
};

class TPictureItem : public TCollectionItem {
  ZELK_CLASS(TPictureItem, TCollectionItem)
public:
  explicit TPictureItem(TCollection* ACollection);
  ~TPictureItem() override;
  void Assign(TPersistent* Source) override;

  TGraphic* GetPicture() const { return FPicture.get(); }
  // Assigns Value to the item's picture.
  void SetPicture(TGraphic* Value);
  const String& GetName() const { return FName; }
  void SetName(const String& Value);
  NativeInt GetTag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }
  String GetDisplayName() const override;

protected:
  // The picture of a new item.
  virtual TGraphic* CreatePicture();

private:
  void PictureChanged(TObject* Sender);

  std::unique_ptr<TGraphic> FPicture;
  NativeInt FTag = 0;
  String FName;
};

class TPictureContainer;

class TPictureCollection : public TOwnedCollection {
  ZELK_CLASS(TPictureCollection, TOwnedCollection)
public:
  explicit TPictureCollection(TPictureContainer* AOwner);

  TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
  TPictureItem* Insert(Integer Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
  TPictureItem* GetItems(Integer Index) const { return static_cast<TPictureItem*>(GetItem(Index)); }
  // Steps every item's picture; true when any advanced.
  bool Animate();

protected:
  void Update(TCollectionItem* Item) override;

private:
  TPictureContainer* FOwner;
};

class TPictureContainer : public TComponent {
  ZELK_CLASS(TPictureContainer, TComponent)
public:
  static constexpr Cardinal VersionNumber = 0x02010000;   // 2.1.0.0

  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;

  TPictureCollection* GetItems() const { return FItems.get(); }
  void SetItems(TPictureCollection* Value) { FItems->Assign(Value); }
  // "2.1.0.0"; writing it does nothing.
  String GetVersion() const;
  void SetVersion(const String&) {}

  // The picture of the first item named Name in any letter case; nullptr when none.
  virtual TGraphic* FindPicture(const String& Name);
  // A new picture holding a copy of that item's picture, kept until the next call (which frees
  // it) or the container's end; nullptr when no item has the name.
  virtual TPicture* FindBitmap(const String& Name);
  // Registered controls are repainted on every change.
  void RegisterControl(TControl* AControl);
  Integer GetControlCount() const { return FControls.GetCount(); }
  // Repaints every registered control, then fires OnChange.
  virtual void Changed();
  virtual Cardinal GetVersionNr() const { return VersionNumber; }

  TNotifyEvent OnChange;

protected:
  virtual TPictureCollection* CreateItems();
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TList FControls;
  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TPictureCollection> FItems;
};

// ---- pictures of markup text ----
// The picture a markup source names: without ":" the container's picture of that name; holding
// "://" the cache's picture of that URL, added (not asynchronous) and loaded by LoadFromURL when
// the cache has none yet. nullptr for anything else, a missing container or cache, or no such
// picture.
TGraphic* FindMarkupPicture(StringView ASource, TPictureContainer* AContainer, THTMLPictureCache* ACache);
// The picture's layout size (for a THTMLPicture its largest frame, the GIF's logical screen);
// false when it has none.
bool MarkupPictureSize(TGraphic* APicture, Integer& AWidth, Integer& AHeight);
// Draws the picture stretched into ABox. An animated THTMLPicture first gets the box filled with
// ABrush (unless clNone); its frame is drawn composed, so it needs no offset of its own.
void DrawMarkupPicture(TCanvas* ACanvas, TGraphic* APicture, const TRect& ABox, TColor ABrush);

// Registers the unit (after the SVG unit and the GDI+ wrapper set): the classes, and the
// container lookup of the graphics facade.
void RegisterPictureContainerUnit();
