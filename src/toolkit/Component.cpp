#include "toolkit/Component.h"

#include <algorithm>

namespace tessora::tk {

Component::Component(Component* owner) {
  if (owner) owner->InsertComponent(this);
}

Component::~Component() {
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void Component::Loaded() { loading_ = false; }

void Component::Notification(Component*, Operation) {}

void Component::FinishLoading() {
  // A Loaded() handler may create further components; walk a snapshot.
  const std::vector<Component*> snapshot = components_;
  for (Component* c : snapshot) {
    if (std::find(components_.begin(), components_.end(), c) != components_.end() && c->Loading()) c->Loaded();
  }
  if (loading_) Loaded();
}

void Component::DestroyComponents() {
  while (!components_.empty()) Free(components_.back());
}

void Component::Free(Component* component) {
  if (!component) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  delete component;
}

void Component::RemoveFromOwner() {
  if (owner_) owner_->RemoveComponent(this);
}

void Component::InsertComponent(Component* component) {
  components_.push_back(component);
  component->owner_ = this;
  for (Component* c : components_) {
    if (c != component) c->Notification(component, Operation::Insert);
  }
  Notification(component, Operation::Insert);
}

void Component::RemoveComponent(Component* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  const std::vector<Component*> siblings = components_;
  for (Component* c : siblings) c->Notification(component, Operation::Remove);
  Notification(component, Operation::Remove);
}

}  // namespace tessora::tk
