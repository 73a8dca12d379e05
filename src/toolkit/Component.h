#pragma once
// Components: objects owned by another component (in the end by a form or the
// application), with a name, a loading phase and removal notifications.
#include <string>
#include <vector>

namespace tessora::tk {

enum class Operation { Insert, Remove };

class Component {
 public:
  explicit Component(Component* owner);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  Component* Owner() const { return owner_; }
  const std::vector<Component*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }

  std::wstring Name;

  // True from construction until Loaded() ran: the owner's stored values are being applied.
  bool Loading() const { return loading_; }
  // Called once after the stored values of the owner form have been applied.
  virtual void Loaded();
  // Another component of the same owner was inserted or is being destroyed.
  virtual void Notification(Component* component, Operation operation);

  // Runs Loaded() on this component's owned components, then on itself
  // (what a form does after its constructor has applied its stored values).
  void FinishLoading();

  // Destroys the owned components, last created first; each one's removal is
  // notified while it is still whole.
  void DestroyComponents();

  // Removes the component from its owner (notifying the owner's components while it is
  // still whole), then deletes it. A plain delete notifies too, but from the base
  // destructor, when only the pointer still identifies it.
  static void Free(Component* component);

 protected:
  // For destructors of derived classes: tells the owner's components of the removal
  // while the derived part is still whole (the base destructor can only do it later).
  void RemoveFromOwner();

 private:
  void InsertComponent(Component* component);
  void RemoveComponent(Component* component);

  Component* owner_ = nullptr;
  std::vector<Component*> components_;
  bool loading_ = true;
};

}  // namespace tessora::tk
