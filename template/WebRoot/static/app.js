/* The generated application's small scripts: the search-as-you-type picker. */
(function () {
  'use strict';

  /* A picker: a text field that searches the referenced objects and fills the hidden key field. */
  function pickers() {
    document.querySelectorAll('.picker').forEach(function (picker) {
      var input = picker.querySelector('input[type=text]');
      var key = picker.querySelector('input[type=hidden]');
      var list = document.createElement('ul');
      list.hidden = true;
      picker.appendChild(list);
      var timer = null;
      input.addEventListener('input', function () {
        clearTimeout(timer);
        timer = setTimeout(search, 250);
      });
      function search() {
        var url = picker.getAttribute('data-url') + '?entity=' + encodeURIComponent(picker.getAttribute('data-entity'))
          + '&display=' + encodeURIComponent(picker.getAttribute('data-display')) + '&term=' + encodeURIComponent(input.value);
        fetch(url, { credentials: 'same-origin' }).then(function (r) { return r.json(); }).then(function (rows) {
          list.innerHTML = '';
          rows.forEach(function (row) {
            var item = document.createElement('li');
            item.textContent = row.text;
            item.addEventListener('mousedown', function () {
              key.value = row.key;
              input.value = row.text;
              list.hidden = true;
            });
            list.appendChild(item);
          });
          list.hidden = rows.length === 0;
        });
      }
      input.addEventListener('blur', function () { setTimeout(function () { list.hidden = true; }, 200); });
    });
  }

  document.addEventListener('DOMContentLoaded', function () {
    pickers();
  });
})();
