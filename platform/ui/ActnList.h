#pragma once
// Actions: a command object (TBasicAction, with caption, checked and enabled state in
// TCustomAction) that controls link to through an action link. The action tells its links of
// every change before it stores the new value, so that a link can compare the old values; each
// link decides whether its client follows (the Is...Linked tests).
#include <vector>

#include "platform/ui/Controls.h"

class TBasicActionLink;

class TBasicAction : public TComponent {
  ZELK_CLASS(TBasicAction, TComponent)
public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  // The links forget the action.
  ~TBasicAction() override;
  // Fires OnExecute; false when there is none.
  virtual bool Execute();
  TNotifyEvent OnExecute;

  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);

protected:
  std::vector<TBasicActionLink*> FClients;
  friend class TBasicActionLink;
};

class TBasicActionLink : public TObject {
  ZELK_CLASS(TBasicActionLink, TObject)
public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // The object the link serves; a subclass checks its class (EInvalidCast when wrong).
  virtual void AssignClient(TObject* AClient) { (void)AClient; }
  virtual bool Execute(TComponent* Target);

protected:
  TBasicAction* FAction = nullptr;
  friend class TBasicAction;
};

class TActionLink : public TBasicActionLink {
  ZELK_CLASS(TActionLink, TBasicActionLink)
public:
  virtual bool IsCaptionLinked();
  virtual bool IsCheckedLinked();
  virtual bool IsEnabledLinked();
  virtual bool IsGroupIndexLinked();
  virtual void SetCaption(const String& Value) { (void)Value; }
  virtual void SetChecked(bool Value) { (void)Value; }
  virtual void SetEnabled(bool Value) { (void)Value; }
  virtual void SetGroupIndex(Integer Value) { (void)Value; }
};

class TCustomAction : public TBasicAction {
  ZELK_CLASS(TCustomAction, TBasicAction)
public:
  explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);

private:
  // Each link of the action in turn.
  template <class F> void ForEachLink(F&& Op);
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  Integer FGroupIndex = 0;
};

class TAction : public TCustomAction {
  ZELK_CLASS(TAction, TCustomAction)
public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The link of a control: its caption and enabled state follow the action while they agree with it.
class TControlActionLink : public TActionLink {
  ZELK_CLASS(TControlActionLink, TActionLink)
public:
  void AssignClient(TObject* AClient) override;
  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;

protected:
  TControl* FClient = nullptr;
};
