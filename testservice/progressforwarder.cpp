//===- progressforwarder.cpp - Progress reports of a test into its record -===//
#include "testservice/progressforwarder.h"
#include "component/ikorprogress.h"
#include "frame/ikorteststatus.h"
#include "KorBasicTypes/progress.h"

KorTestProgressForwarder::KorTestProgressForwarder() {
  SPtr<IKorProgress> service;
  if (!service)
    return;
  void *found = nullptr;
  service->QueryInterface(NyrGlobalCallbackProgress::kClassName, &found, 0);
  if (!found)
    return;
  service_ = service;
  progress_ = static_cast<NyrGlobalCallbackProgress *>(found);
  progress_->RegisterCallback(&KorTestProgressForwarder::forward, this);
}

KorTestProgressForwarder::~KorTestProgressForwarder() {
  if (progress_ &&
      progress_->callback() == &KorTestProgressForwarder::forward &&
      progress_->context() == this)
    progress_->RegisterCallback(nullptr, nullptr);
}

int KorTestProgressForwarder::forward(IKorProgress *, void *context,
                                      float fraction) {
  auto *self = static_cast<KorTestProgressForwarder *>(context);
  if (!self)
    return false;
  NyrGlobalCallbackProgress *progress = self->progress_;
  if (progress && progress->Flag())
    return true;
  float global = progress ? progress->Map(fraction) : fraction;
  if (self->status_)
    self->status_->OnProgress(global);
  return true;
}
